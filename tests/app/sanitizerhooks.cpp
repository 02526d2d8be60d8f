// Leak checking for widget tests. Qt's offscreen platform plugin never frees
// its screen objects at exit; the leak can only be told apart by a full stack
// (Qt is built without frame pointers), hence the slower unwinding in tests.
// The environment's ASAN_OPTIONS and LSAN_OPTIONS still apply on top.
extern "C" {
const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

const char *__lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n";
}
}
