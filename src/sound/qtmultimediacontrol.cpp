#include "qtmultimediacontrol.h"

#include <QFileInfo>
#include <QSoundEffect>

QtMultimediaControl::QtMultimediaControl(QObject *parent)
    : QObject(parent)
{
}

QtMultimediaControl::~QtMultimediaControl() = default;

QUrl QtMultimediaControl::locate(const QString &fileName)
{
    // Only a bare name is looked up; anything with a directory part is not
    // one of the program's sounds.
    if (fileName.isEmpty() || fileName.contains(u'/'))
        return {};
    const QFileInfo local(fileName);
    if (local.isFile())
        return QUrl::fromLocalFile(local.absoluteFilePath());
    const QString builtIn = QStringLiteral(":/sounds/") + fileName;
    if (QFileInfo::exists(builtIn))
        return QUrl(QStringLiteral("qrc") + builtIn);
    return {};
}

QSoundEffect *QtMultimediaControl::effectFor(const QUrl &source)
{
    if (source.isEmpty())
        return nullptr;
    QSoundEffect *&effect = m_effects[source];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(source);
    }
    return effect;
}

void QtMultimediaControl::setFileName(const QString &fileName)
{
    m_fileName = fileName;
}

void QtMultimediaControl::setCommand(const QString &command)
{
    if (command == u"Stop") {
        if (m_open)
            m_open->stop();
    } else if (command == u"Close") {
        if (m_open)
            m_open->stop();
        m_open = nullptr;
    } else if (command == u"Open") {
        m_open = effectFor(locate(m_fileName));
    } else if (command == u"Sound") {
        if (m_open)
            m_open->play();
    }
}

void QtMultimediaControl::preload(const QStringList &fileNames)
{
    for (const QString &name : fileNames)
        effectFor(locate(name));
}
