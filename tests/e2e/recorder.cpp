// Stands in for the flasher in the end-to-end test: it writes down every word of
// its command line, one per line, into calls.txt beside itself. One call is one
// block: "#call", the program word, the arguments, "#end". The block is written
// in one append so that two calls never interleave.

#include <fcntl.h>
#include <string>
#include <unistd.h>

int main(int argc, char *argv[])
{
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 2;
    std::string folder(self, static_cast<size_t>(length));
    folder.erase(folder.rfind('/') + 1);

    std::string block = "#call\n";
    for (int i = 0; i < argc; ++i)
        block += std::string(argv[i]) + '\n';
    block += "#end\n";

    const int log = open((folder + "calls.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log < 0)
        return 2;
    const bool written = write(log, block.data(), block.size()) == static_cast<ssize_t>(block.size());
    close(log);
    return written ? 0 : 2;
}
