#pragma once
// String-table ids of the library's messages; library.rc holds their texts.

// Shown when the installed catalog component is older than a new library needs.
#define IDS_ADOX_VERSION_TOO_OLD 1069
