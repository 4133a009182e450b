#pragma once
// The Search menu: find and replace, find in files, the HTML check and its
// results window, Go to Line and Go to Matching Tag.
class CommandHost;
class CommandState;
struct ToolWindows;

class SearchCommands {
public:
    SearchCommands(CommandHost &host, ToolWindows &tools);
    void bind(CommandState &state);

    void Find1Click();
    void Replace1Click();
    void FindinFiles1Click();
    void FindNext1Click();
    void CheckHtml1Click();
    void GoToLine1Click();
    void GoToMatchingTag1Click();
    void ShowSearchResults1Click();

private:
    CommandHost &host_;
    ToolWindows &tools_;
};
