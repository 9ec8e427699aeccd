// A team item, which the shared file keeps, offered as a copy the user owns wherever it is shown.
#pragma once

#include "base/cstring.h"

#include <vector>
#include <windows.h>

// Said when a team item is to be edited or deleted; a yes makes copies the user owns.
extern const wchar_t kTeamItemReadOnly[];
// Said when the copies could not be written: none was.
extern const wchar_t kTeamCopyNotSaved[];
// Said when a team item could not be read from the version kept (a newer one came in meanwhile).
extern const wchar_t kTeamItemUnreadable[];

// A team item copied as the user's own: the list id it was shown under, the copy's id, its texts.
struct CTeamItemCopy {
    int listId;
    long long newId;
    CString title;
    CString data1;
};

enum class TeamCopyOutcome {
    Copied,      // every item asked for that the kept version still holds
    Unreadable,  // the kept version could not be read: none was copied
    NotSaved,    // the table refused a copy: none was kept
};

// Copies the team items of these list ids, their whole texts read from the kept version, as the
// user's own items, in one transaction and in the order asked; an item a newer version of the file
// dropped meanwhile is left out. The caller has asked the user.
TeamCopyOutcome CopyTeamItemsAsOwn(const std::vector<int>& listIds, std::vector<CTeamItemCopy>* copies);

// Says over owner that the team item of this list id cannot change here, and on a yes copies it as
// the user's own item: true when the table changed. A table that refuses is said.
bool OfferTeamItemAsOwn(HWND owner, int listId);
