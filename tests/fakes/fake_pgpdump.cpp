// Stands in for pgpdump.exe, which the test bed does not build: prints how it was
// called and a short listing with a user ID in raw UTF-8, as pgpdump does.
#include <cstdio>

int main(int argc, char** argv) {
    std::printf("Arguments:");
    for (int i = 1; i < argc; ++i) std::printf(" [%s]", argv[i]);
    std::printf("\n");
    std::printf("Old: Public Key Packet(tag 6)(269 bytes)\n");
    std::printf("\tVer 4 - new\n");
    std::printf("Old: User ID Packet(tag 13)(21 bytes)\n");
    std::printf("\tUser ID - J\xc3\xbcrgen <j@corvane.invalid>\n");
    return 0;
}
