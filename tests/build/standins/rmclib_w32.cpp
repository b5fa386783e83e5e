// A stand-in for the librarian rmclib: "/OUT:<library>" and object files.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (!strncmp(argv[i], "/OUT:", 5)) {
            FILE* f = fopen(argv[i] + 5, "wb");
            if (!f) return 1;
            fputs("!<arch>\n", f);
            fclose(f);
            return 0;
        }
    fprintf(stderr, "rmclib: no /OUT:\n");
    return 1;
}
