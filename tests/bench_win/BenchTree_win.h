// The trees the folder benchmarks empty, and the minimal loop they are measured
// against.
#pragma once

#include <string>

namespace tallow::bench {

constexpr int kSubFolders = 19;      // under each top folder
constexpr int kFilesPerFolder = 10;  // in every folder

/// Files and folders of a tree with `topFolders` top folders.
inline int TreeFiles(int topFolders) {
    return topFolders * (kSubFolders + 1) * kFilesPerFolder;
}
inline int TreeFolders(int topFolders) {
    return topFolders * (kSubFolders + 1);
}

/// Makes `root` with `topFolders` top folders, each with kSubFolders folders,
/// every folder holding kFilesPerFolder small files.
void MakeTree(const std::wstring& root, int topFolders);
/// The least a walk can do: list by path, delete by path, no checks.
void MinimalDelete(const std::wstring& folder);
/// Lists the tree below `folder` once; the entries found.
int ListTree(const std::wstring& folder);

}  // namespace tallow::bench
