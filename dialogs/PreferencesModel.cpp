#include "PreferencesModel.h"

namespace kurvix {

void PreferencesModel::Show(char decimalSeparator) {
    separator_ = decimalSeparator;
    SetTexts(store_.Width(), store_.Height());
    applyEnabled_ = false; // last: setting the texts may have enabled it
}

void PreferencesModel::SetText(SizeEdit edit, const std::string& text) {
    if (edit == SizeEdit::None)
        return;
    std::string& current = edit == SizeEdit::Width ? width_ : height_;
    if (current == text)
        return;
    current = text;
    applyEnabled_ = true;
}

void PreferencesModel::ChoosePreset(int tag) {
    if (tag < 0 || tag >= static_cast<int>(kScreenPresets.size()))
        return;
    SetTexts(kScreenPresets[static_cast<size_t>(tag)].widthCm,
             kScreenPresets[static_cast<size_t>(tag)].heightCm);
}

void PreferencesModel::AutoDetect() {
    store_.Detect();
    SetTexts(store_.Width(), store_.Height());
}

ScreenSizeEntry PreferencesModel::Apply() {
    const ScreenSizeEntry entry = ReadScreenSize(width_, height_, separator_);
    if (entry.bad == SizeEdit::None) {
        store_.Set(entry.widthCm, entry.heightCm);
        applyEnabled_ = false;
    }
    return entry;
}

void PreferencesModel::SetTexts(double widthCm, double heightCm) {
    const ScreenSizeTexts texts = SizeTexts(widthCm, heightCm, separator_);
    SetText(SizeEdit::Width, texts.width);
    SetText(SizeEdit::Height, texts.height);
}

} // namespace kurvix
