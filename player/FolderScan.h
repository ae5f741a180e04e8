#pragma once
// File-system look-ups of opening media: wildcard matches in the order the
// file system returns them, a folder's files, and the media of a disc or
// folder (video CD, super video CD, or files of the known media types).
#include "framework/WinInclude.h"

#include <string>
#include <vector>

namespace zv {
class FileTypeList;
}

namespace folderscan {

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);

// Full paths of the files (not folders) that match a name, which may hold
// wildcards, in file-system order. A relative name is taken from the
// current folder.
std::vector<std::wstring> MatchingFiles(const std::wstring& pattern);

// The name parts of the files (not folders) of a folder, in file-system order.
std::vector<std::wstring> FileNamesInFolder(const std::wstring& folder);

// The folder part of a path with its trailing separator ("" for a bare name).
std::wstring FolderOf(const std::wstring& path);

// The media of a folder or drive root that holds no DVD (path ends in "\"):
// the video CD's MPEGAV\*.dat, else the super video CD's MPEG2\*.mpg, else
// every file whose extension is a known video, audio or playlist type.
std::vector<std::wstring> DiscOrFolderMedia(const std::wstring& path, const zv::FileTypeList& types);

}  // namespace folderscan
