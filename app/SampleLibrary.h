#pragma once
// What an installer does before the first start, in the program's data-source folder: registers the
// platform's data-access engine (which the program expects the machine to have, as it has the other
// system components) and places the local sample library there when none is there, a new library file
// with its folders made by the library's own creation code. The program itself never creates the
// sample library; without it Open Library says the local library file does not exist.

enum class SampleLibraryPlacement { AlreadyThere, Placed, NoDataAccess, NotMade };

SampleLibraryPlacement PlaceSampleLibrary();
