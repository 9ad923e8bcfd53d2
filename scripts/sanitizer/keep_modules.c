/* Preloaded in the sanitizer runs: shared libraries are never unloaded, so leaks inside system
 * libraries (Mesa, X11) keep their names and the suppressions can name those libraries. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
