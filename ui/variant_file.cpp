#include "ui/variant_file.h"

#include "model/parameters_file.h"
#include "ui/file_dialogs.h"

#include <filesystem>

namespace nutrient {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

QString VariantFiles::save(QWidget* parent, const ParameterTexts& texts) const {
    const QString open = openFile ? openFile() : QString();
    QString written;
    guarded(messages, [&] {
        const QString name = dialogs.saveFileName(parent);
        if (name.isEmpty()) return;
        const std::string fileName = withTextExtension(name.toStdString());
        dialogs.rememberSaveName(QString::fromStdString(fileName));
        if (!open.isEmpty() && sameFile(fileName, open.toStdString()))
            throw Failure("A variant is not saved over the parameters file it is made from: " +
                          readableQuote(fileName));
        ParameterSet variant(messages, texts);
        if (const std::optional<std::string> saved = saveParameters(variant, fileName, messages))
            written = QString::fromStdString(*saved);
    });
    return written;
}

}  // namespace nutrient
