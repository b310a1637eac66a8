// A loadable module that is no browser module: it exports none of the
// browser factory's names.
extern "C" __attribute__((visibility("default"))) int KelmioUnrelatedModule() { return 1; }
