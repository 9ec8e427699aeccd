# Unpacks ARCHIVE into FOLDER, emptied first, as a user unpacks the download.
#   cmake -DARCHIVE=<zip> -DFOLDER=<folder> -P unpack.cmake
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
file(ARCHIVE_EXTRACT INPUT "${ARCHIVE}" DESTINATION "${FOLDER}")
