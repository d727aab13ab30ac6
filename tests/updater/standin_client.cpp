// A stand-in for the client in the updater's tests: it carries a version stamp like the client
// and records the arguments it was started with, one line per start, in $TAVELKO_STANDIN_LOG.

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const char *log = std::getenv("TAVELKO_STANDIN_LOG");
    if (!log)
        return 1;
    std::FILE *file = std::fopen(log, "a");
    if (!file)
        return 1;
    std::fputs("started", file);
    for (int i = 1; i < argc; ++i) {
        std::fputc('|', file);
        std::fputs(argv[i], file);
    }
    std::fputc('\n', file);
    std::fclose(file);
    return 0;
}
