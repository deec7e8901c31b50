// The noted changes of an extraction (see takeback.h).
#include "takeback.h"

#include <stdlib.h>
#include <string.h>

#include "ansi_code_page.h"
#include "file_io.h"
#include "platform.h"
#include "stub_paths.h"

namespace stub {

namespace {

// Room for at least needed elements of size bytes, twice what was there.
bool Grow(void*& block, uint32_t& room, uint32_t needed, uint32_t size, uint32_t first) {
    if (needed <= room) return true;
    uint32_t more = room ? room * 2 : first;
    while (more < needed) more *= 2;
    void* grown = malloc(size_t(more) * size);
    if (!grown) return false;
    if (block) memcpy(grown, block, size_t(room) * size);
    free(block);
    block = grown;
    room = more;
    return true;
}

// The name "~VNPnnnn.TMP" numbered from number in the folder of path.
bool NameBeside(const char* path, uint32_t number, char* name) {
    const char* last = text::LastCharacter(path, '\\', text::AnsiLeadBytes());
    if (!last) return false;
    char folder[MAX_PATH], file[16];
    memcpy(folder, path, size_t(last - path));
    folder[last - path] = 0;
    wsprintfA(file, "~VNP%04lX.TMP", number & 0xFFFF);
    return JoinPath(folder, file, name);
}

// The path with its last part as the folder spells the file there.
bool OwnName(const char* path, char* own) {
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path, &found));
    const char* last = text::LastCharacter(path, '\\', text::AnsiLeadBytes());
    if (!search.valid() || !last) return false;
    size_t folder = size_t(last - path) + 1, name = strlen(found.cFileName);
    if (folder + name >= MAX_PATH) return false;
    memcpy(own, path, folder);
    memcpy(own + folder, found.cFileName, name + 1);
    return true;
}

}  // namespace

Takeback::~Takeback() {
    free(text_);
    free(offsets_);
}

bool Takeback::Note(Kind kind, const char* path, const char* aside) {
    uint32_t pathLength = uint32_t(strlen(path)), asideLength = uint32_t(strlen(aside));
    uint32_t length = 1 + pathLength + 1 + asideLength + 1;
    void* text = text_;
    void* offsets = offsets_;
    bool room = Grow(text, textRoom_, textLength_ + length, 1, 4096);
    text_ = static_cast<char*>(text);
    room = room && Grow(offsets, countRoom_, count_ + 1, sizeof *offsets_, 64);
    offsets_ = static_cast<uint32_t*>(offsets);
    if (!room) return false;
    char* record = text_ + textLength_;
    record[0] = kind;
    memcpy(record + 1, path, pathLength + 1);
    memcpy(record + 2 + pathLength, aside, asideLength + 1);
    offsets_[count_++] = textLength_;
    textLength_ += length;
    return true;
}

bool Takeback::MakeFolders(const char* folder) {
    return stub::MakeFolders(
        folder,
        [](const char* path, void* self) {
            return static_cast<Takeback*>(self)->Note(kFolder, path, "");
        },
        this);
}

FileHandle Takeback::NewFile(const char* path, char* temporary) {
    if (!lastName_) lastName_ = GetTickCount() ^ GetCurrentProcessId();
    for (int tries = 0; tries < 1000; ++tries) {
        if (!NameBeside(path, ++lastName_, temporary)) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            break;
        }
        FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.valid() ||
            (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            return file;
    }
    return FileHandle();
}

bool Takeback::Place(const char* temporary, const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    bool noted = false, placed = false;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        noted = Note(kNewFile, path, "");
        placed = noted && MoveFileA(temporary, path);
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // The name the file there has, which the archive may spell in
        // another letter case: taken back, it gets its own again.
        char own[MAX_PATH];
        bool named = OwnName(path, own);
        char aside[MAX_PATH];
        bool moved = false;
        for (int tries = 0; tries < 1000 && named && !moved; ++tries)
            moved = NameBeside(path, ++lastName_, aside) && MoveFileA(path, aside);
        noted = moved && Note(kReplaced, own, aside);
        placed = noted && MoveFileA(temporary, path);
        // What was there before goes back at once: nothing may lose it.
        if (moved && !placed) MoveFileA(aside, own);
    }
    if (!placed) {
        DWORD error = GetLastError();
        if (noted) textLength_ = offsets_[--count_];  // noted, but not done
        DeleteFileA(temporary);
        SetLastError(error ? error : ERROR_ACCESS_DENIED);
    }
    return placed;
}

void Takeback::Keep() {
    for (uint32_t i = 0; i < count_; ++i) {
        const char* record = Record(i);
        if (record[0] != kReplaced) continue;
        const char* aside = record + 1 + strlen(record + 1) + 1;
        SetFileAttributesA(aside, FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(aside)) RemoveAtRestart(aside, false);
    }
    count_ = textLength_ = 0;
}

void Takeback::TakeBack() {
    for (uint32_t i = count_; i-- > 0;) {
        const char* record = Record(i);
        const char* path = record + 1;
        if (record[0] == kFolder) {
            RemoveDirectoryA(path);
            continue;
        }
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
        if (record[0] == kReplaced) MoveFileA(path + strlen(path) + 1, path);
    }
    count_ = textLength_ = 0;
}

}  // namespace stub
