// The zip job: every folder of the setup list, in list order, into the one
// archive at ArchivePath, with the progress bar stepping between folders.
#ifndef PACKAGE_ZIP_JOB_H
#define PACKAGE_ZIP_JOB_H

#include <cstdint>
#include <string>

// Returned when the user asked to quit while the job ran: nothing is shown,
// and the quit request stays queued for the main loop.
constexpr int16_t ZipJobStopped = -1;

// The caption of the job's error messages.
constexpr char ZipJobCaption[] = "Vornaly Installer";

// 0 on success, with lastEntryName the archive's last stored name (empty when
// the archive holds nothing). Otherwise the component's error number, shown
// to the user with the component's own sentence, or ZipJobStopped; then
// lastEntryName is left as it was. Empties PasswordText, since the component
// takes no password.
int16_t ZipSetupList(std::string& lastEntryName);

// The component's file pattern for one setup list item: leading blanks
// dropped, trailing ones kept, then "\*.*" (one backslash only).
std::string ZipPattern(const std::string& item);

#endif
