// Stands in for gpg.exe where a test needs GnuPG to report a chosen version:
// "--list-config" prints "cfg:version:" followed by FAKE_GPG_VERSION.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--list-config") == 0) {
            const char* version = std::getenv("FAKE_GPG_VERSION");
            std::printf("cfg:group:none\ncfg:version:%s\n", version ? version : "");
            return 0;
        }
    }
    return 2;
}
