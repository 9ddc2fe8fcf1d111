// Filters the product's entries out of "wininit.ini" through "wininit.nrx".
//
// The file is read and written as raw bytes: a text-mode reader would stop at
// a Ctrl+Z, cut lines at NUL bytes and turn line ends into its own, and other
// programs' entries must come out exactly as they went in.
#include "pending_renames.h"
#include "ascii_text.h"
#include "file_removal.h"
#include "uninstaller_state.h"

static const char FILTERED_FILE[] = "\\wininit.nrx";
static const char RENAME_SECTION[] = "[rename]\r\n";

// Names are searched within pieces of a line: a piece ends after a line end
// or after this many bytes (a CR LF counts as one, as a text-mode read sees it).
static const int PIECE_CHARACTERS = 99;

// Written by the installers in lower case; matched exactly.
static const char* const UTILITY_NAMES[] = {"nrxvgchg.nrx", "nrxutl.nrx", "nrxchg16.nrx", "nrxchg32.nrx"};

struct BoardPendingNames {
    int firstCode, lastCode;
    const char* names[2];
};

static const BoardPendingNames BOARD_NAMES[] = {
    {1, 1, {"qxsat.nrx", "qxs98.nrx"}},
    {2, 2, {"qxtat.nrx", "qxt98.nrx"}},
    {3, 3, {"qr2at.nrx", "qr298.nrx"}},
    {4, 4, {"qr3at.nrx", "qr398.nrx"}},
    {5, 5, {"qs4at.nrx", "qs498.nrx"}},
    {11, 14, {"qznat.nrx", "qzn98.nrx"}},
    {15, 15, {"qyn.nrx", NULL}},
};

// The names whose lines go: at most the four of the utility and two of a board.
struct NameSet {
    const char* names[6];
    int count;
};

static void AddNames(NameSet* set, const char* const* names, int count)
{
    for (int i = 0; i < count; ++i)
        if (names[i])
            set->names[set->count++] = names[i];
}

// An unrecognised board (code 0) has no names: its lines are kept.
static NameSet NamesToDrop(int driverSelected, int utilitySelected, int boardCode)
{
    NameSet set;
    set.count = 0;
    if (utilitySelected)
        AddNames(&set, UTILITY_NAMES, sizeof(UTILITY_NAMES) / sizeof(UTILITY_NAMES[0]));
    if (driverSelected)
        for (const BoardPendingNames& board : BOARD_NAMES)
            if (boardCode >= board.firstCode && boardCode <= board.lastCode)
                AddNames(&set, board.names, 2);
    return set;
}

static bool HoldsName(const NameSet& set, const char* piece, int length)
{
    for (int i = 0; i < set.count; ++i)
        if (ContainsBytes(piece, length, set.names[i]))
            return true;
    return false;
}

// Reads a file byte by byte through a buffer.
struct ByteReader {
    HANDLE file;
    char buffer[512];
    DWORD length, position;
    bool failed;
};

static int PeekByte(ByteReader* reader)
{
    if (reader->position == reader->length) {
        reader->position = reader->length = 0;
        if (!ReadFile(reader->file, reader->buffer, sizeof(reader->buffer), &reader->length, NULL)) {
            reader->failed = true;
            reader->length = 0;
        }
        if (reader->length == 0)
            return -1;
    }
    return (BYTE)reader->buffer[reader->position];
}

static int NextByte(ByteReader* reader)
{
    int c = PeekByte(reader);
    if (c >= 0)
        ++reader->position;
    return c;
}

// The next piece into `piece` (room for PIECE_CHARACTERS + 2 bytes): its
// length, 0 at the end; `*endsLine` tells whether it ends with a line end
// (LF, CR LF or a CR alone).
static int ReadPiece(ByteReader* reader, char* piece, bool* endsLine)
{
    int length = 0;
    *endsLine = false;
    for (int characters = 0; characters < PIECE_CHARACTERS; ++characters) {
        int c = NextByte(reader);
        if (c < 0)
            break;
        piece[length++] = (char)c;
        if (c == '\r' && PeekByte(reader) == '\n')
            piece[length++] = (char)NextByte(reader);
        if (c == '\r' || c == '\n') {
            *endsLine = true;
            break;
        }
    }
    return length;
}

// Copies `input` to `output` without the lines that hold a name in one of
// their pieces. A line is dropped whole, so that no part of it is left to
// run into the next line. False when the copy is not complete.
static bool CopyKeptLines(HANDLE input, HANDLE output, const NameSet& names)
{
    ByteReader reader;
    reader.file = input;
    reader.length = reader.position = 0;
    reader.failed = false;
    DWORD written = 0;    // bytes of the copy so far
    DWORD lineStart = 0;  // where the current line began in the copy
    bool dropping = false;
    char piece[PIECE_CHARACTERS + 2];
    bool endsLine;
    for (int length; (length = ReadPiece(&reader, piece, &endsLine)) > 0;) {
        if (!dropping && HoldsName(names, piece, length)) {
            // Take back what of this line was already copied.
            if (SetFilePointer(output, lineStart, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
                !SetEndOfFile(output))
                return false;
            written = lineStart;
            dropping = true;
        }
        if (!dropping) {
            if (!WriteBytes(output, piece, length))
                return false;
            written += length;
        }
        if (endsLine) {
            lineStart = written;
            dropping = false;
        }
    }
    return !reader.failed;
}

// A Windows directory without "wininit.ini" gets one with the section header.
static void CreatePendingFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    WriteBytes(file, RENAME_SECTION, sizeof(RENAME_SECTION) - 1);
    CloseHandle(file);
}

void FilterPendingRenames(int driverSelected, int utilitySelected, int boardCode)
{
    char pendingPath[PATH_SIZE], filteredPath[PATH_SIZE];
    if (!PendingFilePath(pendingPath, sizeof(pendingPath)) ||
        !WindowsFilePath(filteredPath, sizeof(filteredPath), FILTERED_FILE))
        return;
    // Someone protected the file, or a leftover of the filter: it stays as
    // it is, as Windows refuses to write either.
    if (IsReadOnlyFile(pendingPath) || IsReadOnlyFile(filteredPath))
        return;
    HANDLE input = CreateFileA(pendingPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (input == INVALID_HANDLE_VALUE) {
        // Only a missing file is created: one that is there but busy stays untouched.
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            CreatePendingFile(pendingPath);
        return;
    }
    HANDLE output = CreateFileA(filteredPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (output == INVALID_HANDLE_VALUE) {
        CloseHandle(input);
        return;
    }
    bool complete = CopyKeptLines(input, output, NamesToDrop(driverSelected, utilitySelected, boardCode));
    CloseHandle(input);
    complete = CloseHandle(output) && complete;
    // An incomplete copy must not replace the original.
    if (complete)
        CopyFileA(filteredPath, pendingPath, FALSE);
    DeleteFileA(filteredPath);
}
