#include "privacy/frm_cookies.h"

namespace privacy {
namespace {

std::string CountLabel(size_t rows) { return "Cookies Number : " + std::to_string(rows); }

}  // namespace

void FrmCookies::Form_Load() {
    GetEntries();
    ChkAll();
}

void FrmCookies::GetEntries() {
    urls_.clear();
    cash_.GetCacheURLList(urls_);
    // Removing every row drops the selection with it.
    rows_.clear();
    ++rowsVersion_;
    selected_ = -1;
    for (const std::string& url : urls_)
        if (IsCookieUrl(url)) rows_.push_back(url);
    labelText_ = CountLabel(rows_.size());
    Changed();
}

void FrmCookies::ChkAll() {
    removeEnabled_ = selected_ >= 0 && selected_ < static_cast<int>(rows_.size());
    clearEnabled_ = !rows_.empty();
    labelText_ = CountLabel(rows_.size());
    Changed();
}

void FrmCookies::Cmd_Refresh_Click() {
    GetEntries();
    removeEnabled_ = false;
    Changed();
}

void FrmCookies::Cmd_Remove_Click() {
    if (selected_ >= 0 && selected_ < static_cast<int>(rows_.size())) cash_.DeleteCashEntry(rows_[selected_]);
    GetEntries();
    ChkAll();
}

void FrmCookies::Cmd_Clear_Click() {
    // No confirmation; the reload shows whatever could not be deleted.
    for (const std::string& row : rows_) cash_.DeleteCashEntry(row);
    GetEntries();
    ChkAll();
}

void FrmCookies::SelectRow(int row) { selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1; }

}  // namespace privacy
