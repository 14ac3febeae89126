#pragma once

#include "multimediacontrol.h"

#include <QStringList>

// Records every command word and file name a control is given, with a log
// shared between controls so that tests can see which control got what.
class RecordingControl final : public MultimediaControl
{
public:
    RecordingControl(QString name, QStringList &log) : m_name(std::move(name)), m_log(log) {}
    void setCommand(const QString &command) override { m_log.append(m_name + u':' + command); }
    void setFileName(const QString &fileName) override { m_log.append(m_name + QStringLiteral(":FileName=") + fileName); }

private:
    QString m_name;
    QStringList &m_log;
};
