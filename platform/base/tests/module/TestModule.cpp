// A module for the loader tests: plain C exports only, so that the loader can really unload it.

extern "C" {

int TestModuleAnswer() { return 42; }

// Exported as ordinal 7.
int ordinal_7() { return 7; }
}
