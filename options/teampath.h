// The team file's path as the options take it: typed or pasted, checked for its form only (a
// shared folder that cannot be reached now is a good path all the same).
#pragma once

#include "base/cstring.h"

// The path as typed, without the blanks and the quotes around it that a pasted path brings.
CString TidyTeamPath(const CString& typed);
// A tidied path names a file the way the system could reach one: a full path on a drive
// ("D:\团队\项目.csv") or a share ("\\服务器\共享\项目.csv"), with no character a name cannot hold.
// The empty path (no team file) is well-formed too.
bool IsWellFormedTeamPath(const CString& path);
