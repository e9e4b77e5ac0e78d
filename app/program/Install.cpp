// The installer's step before the first start, run in the program's home folder: the data-access
// engine registered and the local sample library placed there when none is there.
#include <cstdio>

#include "app/SampleLibrary.h"

int main()
{
    switch (PlaceSampleLibrary()) {
    case SampleLibraryPlacement::NoDataAccess:
        std::fprintf(stderr, "The data-access engine could not be registered.\n");
        return 1;
    case SampleLibraryPlacement::NotMade:
        std::fprintf(stderr, "The sample library could not be made in the current folder.\n");
        return 1;
    case SampleLibraryPlacement::Placed:
        std::printf("Placed the sample library \"Local Library\" in the current folder.\n");
        return 0;
    case SampleLibraryPlacement::AlreadyThere:
        break;
    }
    return 0;
}
