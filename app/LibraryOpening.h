#pragma once
// What opening a library needs besides the chooser and the synchronisation: the genre table and the
// local sample library's file.

// Fills the application's genre table from the library's genre list unless it already holds genres
// (the genre rows are the same in every library).
void LoadGenreTable();

// The local sample library's file must exist and be writable: a missing file is reported, a read-only
// one is made writable when the user agrees. False when the library cannot be opened.
bool PrepareLocalLibraryFile();
