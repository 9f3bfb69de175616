#pragma once

#include <QString>
#include <QtGlobal>

// The about box's System Info button: finds the system-information program through two
// registry values and starts it.
namespace about {

// Where the registry names the program itself, and the folder that holds it.
inline constexpr char kSysInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoValue[] = "PATH";
inline constexpr char kSysInfoLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kSysInfoLocationValue[] = "MSINFO";
inline constexpr char kSysInfoProgram[] = "MSINFO32.EXE";

// Reads the text value subKeyRef of key keyName under keyRoot into keyVal. True when read; on
// any failure keyVal is empty and the result false. The value's terminating zero, when stored,
// is dropped. A value that is not text (REG_SZ) counts as a failure.
bool readRegistryText(quint32 keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal);

// Starts the system-information program, without waiting for it: the path in the first value,
// else MSINFO32.EXE in the folder of the second value when that file exists. When nothing
// could be started, says "System Information Is Unavailable At This Time".
void startSystemInformation();

} // namespace about
