// Records every question and gives scripted answers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/prompts.h"

namespace testing_support {

struct AskedMessage {
    std::string text;
    std::string title;
    core::PromptIcon icon;
    core::PromptButtons buttons;
};

class ScriptedPrompts : public core::Prompts {
public:
    // Used in order; then messages answer Ok (Yes for Yes/No) and dialogs "".
    std::deque<core::PromptAnswer> messageAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<std::string> openFileAnswers;
    std::deque<std::string> saveFileAnswers;

    std::vector<AskedMessage> messages;
    std::vector<std::string> folderPrompts;
    std::vector<core::FileDialogOptions> openFileRequests;
    std::vector<core::FileDialogOptions> saveFileRequests;
    std::vector<platform::WindowHandle> owners;  // of every prompt, in order

    core::PromptAnswer Message(const std::string& text, const std::string& title, core::PromptIcon icon,
                               core::PromptButtons buttons) override {
        const bool yesNo = buttons == core::PromptButtons::YesNo || buttons == core::PromptButtons::YesNoCancel;
        return Ask(messages, AskedMessage{text, title, icon, buttons}, messageAnswers,
                   yesNo ? core::PromptAnswer::Yes : core::PromptAnswer::Ok);
    }
    std::string BrowseForFolder(const std::string& prompt, unsigned) override {
        return Ask(folderPrompts, prompt, folderAnswers);
    }
    std::string OpenFile(const core::FileDialogOptions& options) override {
        return Ask(openFileRequests, options, openFileAnswers);
    }
    std::string SaveFile(const core::FileDialogOptions& options) override {
        return Ask(saveFileRequests, options, saveFileAnswers);
    }

private:
    template <typename Question, typename Answer>
    Answer Ask(std::vector<Question>& asked, const Question& question, std::deque<Answer>& answers,
               Answer otherwise = {}) {
        owners.push_back(Owner());
        asked.push_back(question);
        if (answers.empty()) return otherwise;
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace testing_support
