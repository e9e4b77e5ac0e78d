// A library with none of the exports of a component library.
extern "C" int TsBareLibraryAnswer() { return 42; }
