// Drag and drop between the two lists and from the desktop's file manager.
#include <QFileInfo>

#include "core/messages.h"
#include "core/natural_order.h"
#include "ui/main_window.h"

namespace quodlin {

void frmQuodlinMain::filesDroppedOnCard(const QStringList& paths) {
    if (SelectedTab() == Tab::Help) return;
    const Mode mode = directories_.mode;
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
    for (const QString& path : paths) {
        const std::string name = QFileInfo(path).fileName().toStdString();
        if (QFileInfo(path).isFile() && EndsWithIgnoringCase(name, ModeExtension(mode))) {
            accepted.push_back(path.toStdString());
        } else {
            refused.push_back(name);
        }
    }
    if (!refused.empty()) prompt().message(NotOfMode(refused, mode), MessageStyle::Exclamation);
    if (!accepted.empty()) copyToCard(accepted);
}

}  // namespace quodlin
