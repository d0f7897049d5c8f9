#pragma once
// The one conversion between file names (bytes, as the system keeps them) and
// QString, used wherever a path crosses into Qt or comes back from it. A name
// that is no UTF-8 shows with stand-in characters; coming back, it is found
// on disk (NameOnDisk) or taken from a URL's own bytes (LocalFileNames).
#include <QFile>
#include <QMimeData>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace tessel {

inline QString ToQString(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string FromQString(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// An absolute path shown by a widget (a file dialog's choice) as the file
// system's bytes. A part holding stand-in characters is the one entry of its
// folder shown that way, or, when none is, the text as it stands (a new
// name); "" when several entries are shown alike and none can be told.
inline std::string NameOnDisk(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return FromQString(path);
    std::string out;
    const QStringList parts = path.split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        std::string found = FromQString(part);
        if (part.contains(QChar::ReplacementCharacter) && DirectoryExists(out + "/")) {
            int alike = 0;
            for (const std::string& entry : ListFiles(out + "/", true))
                if (ToQString(entry) == part)
                    found = entry, ++alike;
            if (alike > 1)
                return std::string();
        }
        out += "/" + found;
    }
    return out;
}

// The local files a drop carries, as the file system's bytes: from each URL's
// percent-encoded path, which keeps bytes that are no UTF-8.
inline std::vector<std::string> LocalFileNames(const QMimeData* data)
{
    std::vector<std::string> names;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                names.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
    return names;
}

} // namespace tessel
