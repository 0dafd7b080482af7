#include "platform/atomic_save.h"

#include <QFileInfo>
#include <QSaveFile>

namespace keld::app {

bool saveFileAtomically(const QString& path, std::string_view bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return false;
    }
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(bytes.data(), size) == size && file.flush()) {
        return file.commit();
    }
    file.cancelWriting();
    return false;
}

} // namespace keld::app
