// Which installs a run removes and which stay, settled before anything is
// removed, so that every removal can ask whether an install that stays
// still uses a file, and whether an install not yet dealt with still names
// a folder or a Program Manager group (the last of them takes it).
#ifndef NRXDEL_INSTALL_PLAN_H
#define NRXDEL_INSTALL_PLAN_H

#include "install_records.h"

// Every driver and utility install as staying.
void PlanEveryInstallStaying();
// Install `number` of `kind` goes with this run; every utility install does.
void PlanRemoval(FileListKind kind, const char* number);
void PlanEveryUtilityRemoval();
// The `index`th install of `kind` the run removes, the highest number first;
// false past the last.
bool RemovedInstall(FileListKind kind, int index, char* number);
// Install `number` has been dealt with: its own folder and group no longer count.
void MarkInstallDone(FileListKind kind, const char* number);

// True when some install stays after the run.
bool AnyInstallStays();
// The instance key of the `index`th install that stays; false past the last.
bool StayingInstall(int index, FileListKind* kind, char* key);
// True when an install that stays, or one the run has still to deal with,
// names `installDir` as its "InstDir" / `group` as its "FolderName".
bool FolderStillNamed(const char* installDir);
bool GroupStillNamed(const char* group);
// False when the records held installs the plan could not list: then
// everything counts as in use.
bool PlanIsComplete();

#endif
