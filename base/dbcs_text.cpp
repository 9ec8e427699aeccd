// Character-wise scans of code page text.
#include "base/dbcs_text.h"

#include "base/text_codec.h"

// The program's Chinese literals go to the A functions as they are: the build must give them as
// code page 936 bytes (就绪 is BE CD D0 F7).
static_assert(sizeof("就绪") == 5 && "就绪"[0] == '\xBE' && "就绪"[1] == '\xCD' && "就绪"[2] == '\xD0' &&
                  "就绪"[3] == '\xF7',
              "Chinese literals are code page 936 bytes");

int CharLengthAt(const CString& text, int index)
{
    // A lead byte at the very end has lost its second half: it counts as a character alone.
    bool lead = IsLeadByte(text[index]);
    return lead && index + 1 < text.GetLength() ? 2 : 1;
}

int LastCharStart(const CString& text)
{
    int last = -1;
    for (int i = 0; i < text.GetLength(); i += CharLengthAt(text, i))
        last = i;
    return last;
}

CString FolderOfPath(const CString& path)
{
    int lastSeparator = -1;
    for (int i = 0; i < path.GetLength(); i += CharLengthAt(path, i)) {
        if (path[i] == '\\' || path[i] == '/')
            lastSeparator = i;
    }
    return path.Left(lastSeparator + 1);
}
