// The cookies manager: lists the browser's cookie entries and removes one,
// all, or reloads the list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "privacy/cls_cash.h"

namespace privacy {

class FrmCookies {
public:
    // Column, load and reload: the list holds every cookie entry's full URL.
    void Form_Load();
    void GetEntries();
    // Buttons and label up to date with the rows and the selection.
    void ChkAll();

    void Cmd_Refresh_Click();
    void Cmd_Remove_Click();
    void Cmd_Clear_Click();
    // The list's click, item-click and key events.
    void Lv_Click() { ChkAll(); }

    // The selected row (-1: none); the window reports the list's selection here.
    void SelectRow(int row);
    int SelectedRow() const { return selected_; }

    const std::vector<std::string>& Rows() const { return rows_; }
    // Rises each time the rows are reloaded.
    int RowsVersion() const { return rowsVersion_; }
    bool RemoveEnabled() const { return removeEnabled_; }
    bool ClearEnabled() const { return clearEnabled_; }
    const std::string& LabelText() const { return labelText_; }

    // Called after the rows or the states changed, so the window redraws.
    std::function<void()> onChange;

private:
    void Changed() const {
        if (onChange) onChange();
    }

    ClsCash cash_;
    std::vector<std::string> urls_;
    std::vector<std::string> rows_;
    int rowsVersion_ = 0;
    int selected_ = -1;
    bool removeEnabled_ = false;  // disabled at the start
    bool clearEnabled_ = false;
    std::string labelText_;
};

}  // namespace privacy
