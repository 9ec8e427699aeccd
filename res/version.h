// The program's version, one place for the version resource, the about box, the archive names
// and their tests.
#pragma once

#define MIRELO_VERSION_MAJOR 2
#define MIRELO_VERSION_MINOR 1028
#define MIRELO_VERSION_TEXT "2.1028"
