// A team item, which the shared file keeps, offered as a copy the user owns wherever it is shown.
#pragma once

#include <windows.h>

// Said when a team item is to be edited or deleted; a yes makes copies the user owns.
extern const wchar_t kTeamItemReadOnly[];
// Said when the copies could not be written: none was.
extern const wchar_t kTeamCopyNotSaved[];
// Said when a team item could not be read from the version kept (a newer one came in meanwhile).
extern const wchar_t kTeamItemUnreadable[];

// Says over owner that the team item of this list id cannot change here, and on a yes copies it as
// the user's own item: true when the table changed. A table that refuses is said.
bool OfferTeamItemAsOwn(HWND owner, int listId);
