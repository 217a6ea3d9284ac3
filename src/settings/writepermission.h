#pragma once

// Whether the settings file or its folder may be written. Root may write whatever the bits
// say, so the bits are looked at as well as what the system would allow.

#include <QFileInfo>

namespace settings {

// No write bit for anyone: the user made the file read-only to keep it as it is.
inline bool isReadOnlyByIntent(const QFileInfo &info)
{
    return !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// This user may write it, and its bits let someone write it.
inline bool permitsWriting(const QFileInfo &info)
{
    return info.permissions().testFlag(QFile::WriteUser) && !isReadOnlyByIntent(info);
}

} // namespace settings
