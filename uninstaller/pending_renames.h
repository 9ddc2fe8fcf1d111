// Takes the product's entries out of the pending file operations in
// "wininit.ini" before the uninstall removes anything.
#ifndef NRXDEL_PENDING_RENAMES_H
#define NRXDEL_PENDING_RENAMES_H

// Drops the lines naming a file of the selected halves (the utility's, or
// the board's of `boardCode`); every other byte stays as it was. Creates the
// file with its "[rename]" header when there is none.
void FilterPendingRenames(int driverSelected, int utilitySelected, int boardCode);

#endif
