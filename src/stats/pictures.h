#pragma once

class QString;

namespace stats {

struct Report;

// Each picture goes to file as PNG or SVG, by the file's extension, and is
// written whole or not at all. On failure, error says why.
bool saveLawChart(const Report &report, const QString &file, QString &error);
bool saveMeetingMap(const Report &report, const QString &file, QString &error);

} // namespace stats
