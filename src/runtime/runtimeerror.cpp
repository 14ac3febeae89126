#include "runtime/runtimeerror.h"

RuntimeError::RuntimeError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(Overflow, QStringLiteral("Overflow"));
}

QString RuntimeError::message() const
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(m_number).arg(m_description);
}
