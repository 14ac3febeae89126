#pragma once

#include <QList>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace forms {

// Chains the widgets for Tab in the order of their positions; a widget at
// position 0 is left out of the chain. The first one takes the focus.
inline void chainFocus(QList<std::pair<int, QWidget *>> widgets)
{
    widgets.removeIf([](const auto &entry) { return entry.first == 0; });
    std::stable_sort(widgets.begin(), widgets.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1].second, widgets[i].second);
    if (!widgets.isEmpty())
        widgets.first().second->setFocus();
}

} // namespace forms
