#include "platform/OpenForReading.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int OpenForReading(const QString& path, std::size_t& reportedSize)
{
    reportedSize = 0;
    if (path.isEmpty())
        return -1;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    reportedSize = st.st_size > 0 ? std::size_t(st.st_size) : 0;
    return fd;
}

}  // namespace platform
