// A library without a registration export.

extern "C" int PlainLibraryAnswer() { return 42; }
