#pragma once
// The one conversion between file names (bytes, as the system keeps them) and
// QString, used wherever a path crosses into Qt or comes back from it.
#include <QFile>
#include <QString>
#include <string>

namespace tessel {

inline QString ToQString(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string FromQString(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace tessel
