#pragma once
#include "platform/Clipboard.h"
#include "platform/Streams.h"

// The whole stream as the clipboard's block of the format, with a 0 byte after it. False when
// the clipboard is held open by someone else.
bool Stream2Clipboard(const TMemoryStream& stream, unsigned format);
// Appends the clipboard's text of the format to the stream: the block up to its terminating
// 0 byte. A missing or empty block appends nothing. False when the clipboard is held open.
bool Clipboard2Stream(TMemoryStream& stream, unsigned format);
