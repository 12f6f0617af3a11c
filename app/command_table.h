// Every handler of the application and every line of the main window's menu,
// each declared once. The handler indexes (HandlerIndex), the handler table
// and the menu tree are all read from this list.
//
//   EVENT(name, function)
//       a handler the layout binds to an event of a window or a control.
//   COMMAND(name, caption, level, shortcut, flags, runs)
//       a menu entry whose command runs a handler; the shortcut is named as
//       the menu shows it ("Ctrl+S", "Shift+F3", "" for none). `runs` says how:
//         afterNotices  handlers::name, once what the background recovery copy
//                       met since the last command has been said (a command is
//                       chosen, never pressed in the middle of typing);
//         whileTyping   handlers::name at once (undo and redo are pressed while typing);
//         byEditBox     nothing of ours: the edit box does it with its own key.
//   ENTRY(caption, level, shortcut, flags)
//       a menu entry that runs nothing: a popup, a separator, a heading.
//
// A menu entry's place among the menu lines is its command number (20000 +
// n), so a new menu comes after the last one. A handler's place among the
// EVENT and COMMAND lines is its index in the layout data.
//
// Adding a command: one COMMAND line here, and handlers::name defined (the
// handler table declares it from this line).
#pragma once

// clang-format off
#define WRIVO_HANDLERS(EVENT, COMMAND, ENTRY) \
    EVENT(startSplash, onStartWindowCreated) /* start window created: attach the skin object */ \
    EVENT(splashTick, onSplashTick) /* 时钟1 tick: next frame, hand-over to the main window */ \
    EVENT(layoutOnResize, handlers::layoutOnResize) /* main window size changed */ \
    EVENT(exitDialogue, handlers::exitDialogue) /* main window may close */ \
    EVENT(mainWindowKeyDown, handlers::mainWindowKeyDown) /* Esc: showWindow */ \
    EVENT(editBoxKeyDown, handlers::editBoxKeyDown) /* Esc: hideWindow; Backspace and Enter: line-break rules */ \
    EVENT(applySettings, handlers::applySettings) /* edit box got focus */ \
    EVENT(refreshStatistics, handlers::refreshStatistics) /* edit box content changed */ \
    EVENT(selectParagraph, handlers::selectParagraph) /* list box selection changed */ \
    EVENT(applyChosenColour, handlers::applyChosenColour) /* colour picker colour chosen */ \
    \
    ENTRY("文件操作", 0, "", layout::menuTicked) \
    COMMAND(newDocument, "新建文档", 1, "Ctrl+A", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(saveDocument, "保存文档", 1, "Ctrl+S", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(openDocument, "打开文档", 1, "Ctrl+D", 0, afterNotices) \
    COMMAND(appendDocument, "添加文档", 1, "Ctrl+F", 0, afterNotices) \
    ENTRY("编辑菜单", 0, "", layout::menuTicked) \
    COMMAND(cutCharacters, "剪切字符   Ctrl+X", 1, "", 0, byEditBox) \
    ENTRY("-", 1, "", 0) \
    COMMAND(copyCharacters, "复制字符   Ctrl+C", 1, "", 0, byEditBox) \
    COMMAND(pasteCharacters, "粘贴字符   Ctrl+V", 1, "", 0, byEditBox) \
    ENTRY("-", 1, "", 0) \
    COMMAND(clearText, "清空字符", 1, "Del", 0, afterNotices) \
    ENTRY("功能设置", 0, "", layout::menuTicked) \
    COMMAND(hideNotice, "壹键隐藏  *必看说明* ", 1, "", 0, afterNotices) \
    COMMAND(countReport, "字数总计", 1, "Ctrl+Q", 0, afterNotices) \
    COMMAND(insertDateTime, "日期时间", 1, "Ctrl+W", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(chooseTextColour, "字体颜色", 1, "Ctrl+E", 0, afterNotices) \
    COMMAND(chooseBackgroundColour, "背景颜色", 1, "Ctrl+R", 0, afterNotices) \
    COMMAND(chooseFont, "字体大小", 1, "Ctrl+T", 0, afterNotices) \
    ENTRY("版权帮助", 0, "Ctrl+R", layout::menuTicked) /* stored, but a popup gets no accelerator */ \
    COMMAND(restoreDefaults, "配置还原", 1, "Ctrl+P", 0, afterNotices) \
    COMMAND(helpNotice, "关于帮助", 1, "Ctrl+O", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(advertisingNotice, "广告合作", 1, "Ctrl+Y", 0, afterNotices) \
    COMMAND(feedbackNotice, "建议反馈", 1, "Ctrl+U", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(authorNotice, "作者版权", 1, "Ctrl+Z", 0, afterNotices) \
    ENTRY("程序更新", 0, "", 0) \
    COMMAND(openUpdatePage, "官网更新下载 ", 1, "Ctrl+I", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    ENTRY("官方指定合作下载站:", 1, "", layout::menuDisabled) /* a greyed heading */ \
    ENTRY("-", 1, "", 0) \
    COMMAND(openPartnerSite1, "墨香软件园", 1, "", 0, afterNotices) \
    COMMAND(openPartnerSite2, "青禾下载站", 1, "", 0, afterNotices) \
    COMMAND(openPartnerSite3, "云岫下载中心", 1, "", 0, afterNotices) \
    COMMAND(openPartnerSite4, "星渡软件站", 1, "", 0, afterNotices) \
    \
    EVENT(openDroppedFile, handlers::openDroppedFile) /* files dropped on the main window */ \
    \
    ENTRY("查找替换", 0, "", 0) \
    COMMAND(findText, "查找文字", 1, "Ctrl+F3", 0, afterNotices) \
    COMMAND(findNext, "查找下一个", 1, "F3", 0, afterNotices) \
    COMMAND(findPrevious, "查找上一个", 1, "Shift+F3", 0, afterNotices) \
    COMMAND(replaceText, "替换文字", 1, "Ctrl+H", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(goToParagraph, "转到段落", 1, "Ctrl+G", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(undoEdit, "撤销", 1, "Alt+Backspace", 0, whileTyping) /* also the edit box's own undo request */ \
    COMMAND(redoEdit, "重做", 1, "Alt+Shift+Backspace", 0, whileTyping) \
    \
    ENTRY("写作", 0, "", 0) \
    COMMAND(chapterList, "章节目录", 1, "Ctrl+J", 0, afterNotices) \
    COMMAND(previousChapter, "上一章", 1, "Alt+Up", 0, whileTyping) /* pressed while reading and writing */ \
    COMMAND(nextChapter, "下一章", 1, "Alt+Down", 0, whileTyping) \
    ENTRY("-", 1, "", 0) \
    COMMAND(countDetails, "字数详情", 1, "Ctrl+K", 0, afterNotices) \
    COMMAND(chapterTarget, "章节目标…", 1, "", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(tidyManuscript, "一键排版", 1, "Ctrl+L", 0, afterNotices) \
    COMMAND(toTraditional, "转为繁体", 1, "F7", 0, afterNotices) \
    COMMAND(toSimplified, "转为简体", 1, "Shift+F7", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(dailyGoal, "今日目标", 1, "Ctrl+B", 0, afterNotices) \
    COMMAND(writingLock, "闭关写作", 1, "F11", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(publishCheck, "发布前检查", 1, "F9", 0, afterNotices) \
    COMMAND(copyChapter, "复制本章（发布用）", 1, "Shift+F9", 0, afterNotices) \
    COMMAND(exportChapters, "按章导出…", 1, "Ctrl+F9", 0, afterNotices) \
    ENTRY("-", 1, "", 0) \
    COMMAND(showHistory, "历史版本", 1, "F8", 0, afterNotices) \
    COMMAND(backupFolder, "备份位置…", 1, "", 0, afterNotices)
// clang-format on
