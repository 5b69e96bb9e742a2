// A well-formed shared library that lacks the GetIAddIn entry point, for the
// add-in manager tests: loading it must fail cleanly.

extern "C" __attribute__((visibility("default"))) int KvNoEntryAddInVersion() {
    return 1;
}
