#include "app/notices.h"

#include <array>

#include "app/maker_info.h"
#include "services/dialogs/message_box.h"
#include "services/text/file_checks.h"
#include "services/text/text.h"
#include "services/writing/manuscript_tidy.h"

namespace wrivo {

std::string startTitle()
{
    return concatTexts("Wrivo  3.7    --  Orvanne出品 ", maker::webAddress, "  ");
}

std::string captions::statistics(std::string_view paragraphs, std::string_view characters)
{
    return concatTexts("Orvanne提醒您:    当前文档共计:  ", paragraphs, "  个段落,总字数为:  ", characters, "  字。");
}

Notice notices::hide()
{
    return {"特殊提醒:", "[Esc]键     一键隐藏/显示本程序\r\n\r\n"
                         "为防止隐藏后操作不当.本程序被其它窗口盖住,接收不到显示指令.\r\n\r\n"
                         "程序面板特别预留了5%的可见度.请注意查看 \\@ o @/ \r\n\r\n"
                         "只要点一下程序面板任意位置,都能接收显示指令!"};
}

Notice notices::help()
{
    const std::string rule(45, '-');
    const std::string website = concatTexts("敬请关注 官方网址 ", maker::webAddress);
    // One entry per line of the box, as it shows.
    // clang-format off
    const std::array<std::string_view, 16> lines = {
        rule,
        "新建文件  Ctrl+A   保存文件  Ctrl+S ",
        "打开文件  Ctrl+D   添加文件  Ctrl+F ",
        rule,
        "剪切字符  Ctrl+X   清空字符  Del ",
        "复制字符  Ctrl+C   粘贴字符  Ctrl+V ",
        rule,
        "字数总计  Ctrl+Q  日期时间  Ctrl+W ",
        "字体颜色  Ctrl+E   背景颜色  Ctrl+R ",
        rule,
        "字体大小  Ctrl+T   配置还原  Ctrl+P ",
        "作者版权  Ctrl+Z   关于帮助  Ctrl+O ",
        rule,
        "版本更新  Ctrl+I 更多功能 正在研发",
        website,
        rule,
    };
    // clang-format on
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return {"快捷操作帮助说明：", text};
}

Notice notices::advertising()
{
    return {defaultMessageBoxTitle,
            concatTexts("广告合作联系方式 ：\r\n\r\n联系QQ  :    ", maker::instantMessagingNumber,
                        "  \r\n\r\n联系邮箱  :    ", maker::businessMail, "  \r\n\r\n")};
}

Notice notices::feedback()
{
    return {defaultMessageBoxTitle,
            concatTexts("建议反馈的收集方式即将调整.\r\n\r\n以下联系方式依然可用.\r\n\r\n联系QQ  :    ",
                        maker::instantMessagingNumber, "\r\n\r\n联系邮箱  :    ", maker::feedbackMail, "    \r\n\r\n")};
}

Notice notices::author()
{
    return {"作者版权：",
            concatTexts("Wrivo 3.7\r\n\r\n作者：", maker::authorName, "\r\n\r\n官方网址：", maker::webAddress)};
}

Notice notices::count()
{
    return {"Orvanne开发组感谢您使用 Wrivo3.7",
            "亲爱滴!!! 字数统计已被实时显示在上方标题处.\r\n\r\n本快捷操作会在下个版本中支持新的功能.\r\n\r\n"
            "全新功能尽在版本升级  警请关注!!!"};
}

Notice notices::saveFailed(std::string_view path, std::uint32_t systemError, std::string_view systemText,
                           bool originalExisted)
{
    // The system's codes for the reasons a person can act on.
    constexpr std::uint32_t accessDenied = 5, writeProtected = 19, inUse = 32, locked = 33, handleDiskFull = 39,
                            diskFull = 112;
    std::string_view reason;
    if (systemError == inUse || systemError == locked)
        reason = "文件正被其他程序使用。";
    else if (systemError == accessDenied || systemError == writeProtected)
        reason = "没有写入这个文件或文件夹的权限。";
    else if (systemError == diskFull || systemError == handleDiskFull)
        reason = "磁盘已满。";
    std::string why = concatTexts(reason, systemText);
    if (why.empty()) why = concatTexts("系统错误 ", std::to_string(systemError));
    return {"保存失败：",
            concatTexts("保存失败！\r\n\r\n文件未能写入:\r\n", path, "\r\n\r\n原因：", why, "\r\n\r\n",
                        originalExisted ? "磁盘上的原文件没有被改动。" : "没有建立新文件，文档仍在编辑框中。")};
}

Notice questions::saveChanges()
{
    return {"提示：", "程序检测到 您的文档\r\n\r\n已发生更改 尚未保存\r\n\r\n是否对当前文档进行保存？"};
}

Notice questions::openOver()
{
    return {"温馨提示：",
            "Orvanne软件 @o@ 非常小心地提醒 主人：\r\n\r\n您即将打开的新文件会覆盖掉当前文档. \r\n\r\n"
            "如果希望 当前文档 与 新文件 共存,请使用[添加文档]Ctrl+F\r\n\r\n否则请选择{是}继续打开新文档."};
}

Notice questions::exit()
{
    return {"退出确认：", "亲爱的朋友！ 当前已没有您需要保存的文档\r\n\r\n请问您是否真的确定退出本程序"};
}

Notice questions::stay()
{
    return {"欢迎回来：", "亲 欢迎你再来奋斗 ￥o￥\r\n\r\n身体是革命的本钱 请注意休息！"};
}

Notice notices::saved()
{
    return {"恭喜：", "保存成功！！！"};
}

Notice notices::notSaved()
{
    return {"提醒：", "注意文档未保存&&"};
}

Notice notices::charactersOutsideGbk(std::int32_t count)
{
    return {"注意：",
            concatTexts("文档中有 ", toText(Value{count}),
                        " 个字符不在 GBK 编码之内(例如表情符号),\r\n\r\n保存后它们将变成 ?。\r\n\r\n仍然保存吗？")};
}

Notice notices::fileTooLarge(std::string_view path, std::uint64_t sizeMb, std::uint64_t limitMb)
{
    return {"读取失败：", concatTexts("文件太大:\r\n\r\n", path, "\r\n\r\n", toText(Value{static_cast<double>(sizeMb)}),
                                      " MB, 超过了 Wrivo 能打开的 ", toText(Value{static_cast<std::int32_t>(limitMb)}),
                                      " MB.\r\n\r\n当前文档保持不变。")};
}

Notice notices::fileUnreadable(std::string_view path)
{
    return {"读取失败：", concatTexts("无法读取文件:\r\n\r\n", path, "\r\n\r\n当前文档保持不变。")};
}

Notice notices::backgroundConflict()
{
    return {"!!!警告!!!", "Wrivo 3.7 检测到:\r\n\r\n刚才您设置的[背景颜色]与 正文 或 下方 的字体颜色重复.\r\n\r\n"
                          "现强制还原背景颜色为配置色!!!\r\n"};
}

Notice notices::notFound(std::string_view term)
{
    return {"查找替换", concatTexts("找不到“", term, "”")};
}

Notice notices::replaced(std::size_t count)
{
    return {"查找替换", concatTexts("已替换 ", std::to_string(count), " 处")};
}

namespace {
// One figure a line, under the section's heading.
std::string countLines(std::string_view heading, const WordCount& count)
{
    auto line = [](std::string_view name, std::int64_t value) {
        return concatTexts("\r\n　", name, "：", std::to_string(value));
    };
    return concatTexts(heading, line("字数", count.words), line("不含标点", count.withoutPunctuation()),
                       line("汉字", count.hanzi), line("标点与符号", count.punctuation),
                       line("英文与数字", count.latinAndDigits));
}
} // namespace

Notice notices::countDetails(const CountDetails& details)
{
    std::string text =
        concatTexts(countLines("全文", details.whole), "\r\n　段落：", std::to_string(details.paragraphs));
    if (details.chapter)
        text += concatTexts("\r\n\r\n", countLines(concatTexts("本章：", details.chapterTitle), *details.chapter));
    if (details.chapter && details.chapterTarget > 0) {
        const std::int64_t left = details.chapterTarget - details.chapter->words;
        text += concatTexts("\r\n　目标：", std::to_string(details.chapterTarget),
                            left > 0 ? concatTexts("，还差 ", std::to_string(left), " 字") : std::string("，已完成"));
    }
    if (details.selection) text += concatTexts("\r\n\r\n", countLines("选定内容", *details.selection));
    return {"字数详情", std::move(text)};
}

Notice notices::chapterTarget()
{
    return {"章节目标", "每章目标字数（0 为不设，最多 100000）："};
}

Notice notices::wordListUnreadable(std::string_view path)
{
    return {"发布前检查", concatTexts("这个词表无法读取，本次检查不用它：\r\n\r\n", path)};
}

Notice notices::chapterCopied(std::string_view title, std::int64_t words)
{
    return {"复制本章", concatTexts("已复制 ", title, title.empty() ? "" : "，", std::to_string(words), " 字。")};
}

Notice notices::noChaptersToExport()
{
    return {"按章导出", "没有找到章节，未导出。"};
}

Notice notices::exportReplaces(std::size_t existing)
{
    return {"按章导出", concatTexts("文件夹里已有 ", std::to_string(existing), " 个同名文件，要替换它们吗？")};
}

Notice notices::exported(std::size_t files, std::string_view folder)
{
    return {"按章导出", concatTexts("已导出 ", std::to_string(files), " 个文件。\r\n\r\n", folder)};
}

Notice notices::exportFailed(std::string_view path)
{
    return {"按章导出", concatTexts("这个文件无法写入，导出停在这里：\r\n\r\n", path)};
}

Notice notices::tidied(const TidyCounts& counts)
{
    return {"一键排版",
            concatTexts("已整理：缩进 ", std::to_string(counts.indented), " 段，空行 +",
                        std::to_string(counts.blankAdded), "/-", std::to_string(counts.blankRemoved), "，段尾空格 ",
                        std::to_string(counts.trailingTrimmed), " 处，标点 ", std::to_string(counts.punctuation), " 处",
                        counts.marksLeft ? concatTexts("，另有 ", std::to_string(counts.marksLeft), " 处半角标点未改")
                                         : std::string())};
}

Notice notices::alreadyTidy()
{
    return {"一键排版", "文档已经很整齐，没有改动。"};
}

Notice notices::chineseConverted(std::size_t changed, std::size_t keptForGbk)
{
    return {"繁简转换",
            concatTexts("已转换 ", std::to_string(changed), " 处",
                        keptForGbk ? concatTexts("（", std::to_string(keptForGbk), " 处无法用 GBK 表示，未转换）")
                                   : std::string())};
}

Notice notices::goalReached(std::int64_t goal, int streak)
{
    return {"今日目标",
            concatTexts("今日目标 ", std::to_string(goal), " 字已经完成，连续 ", std::to_string(streak), " 天。")};
}

Notice notices::writingStoreUnwritable(std::string_view folder)
{
    return {"注意：", concatTexts("写作记录无法保存到 ", folder, "，本次运行的目标和字数不会保留。")};
}

Notice notices::writingFileUnreadable(std::string_view path)
{
    return {"注意：", concatTexts("写作记录无法完整读取：\r\n\r\n", path,
                                  "\r\n\r\n为了不覆盖其中的记录，暂不写入这个文件：本次运行的目标和字数先留在程序里，"
                                  "文件能读取时再写入。")};
}

Notice notices::goToParagraph(std::int32_t paragraphCount)
{
    return {"转到段落", concatTexts("段落号(1 - ", toText(Value{paragraphCount}), "):")};
}

namespace {
std::string number(std::size_t n)
{
    return std::to_string(n);
}

std::string_view encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::utf8: return "UTF-8";
    case TextEncoding::utf8Bom: return "UTF-8(带字节顺序标记 BOM)";
    case TextEncoding::utf16le: return "UTF-16 LE(带字节顺序标记 BOM)";
    case TextEncoding::utf16be: return "UTF-16 BE(带字节顺序标记 BOM)";
    default: return "GBK";
    }
}
} // namespace

Notice fileNotices::deviceName(std::string_view path)
{
    return {"读取失败：",
            concatTexts("无法打开:\r\n\r\n", path,
                        "\r\n\r\n这是 Windows 保留的设备名(CON、PRN、AUX、NUL、COM1、LPT1 等，带不带扩展名都一样)，"
                        "不是文件。\r\n\r\n当前文档保持不变。")};
}

Notice fileNotices::otherEncoding(std::string_view path, TextEncoding encoding, std::size_t unrepresentable)
{
    return {"注意：", concatTexts("文件是 ", encodingName(encoding), " 编码的文字:\r\n\r\n", path,
                                  "\r\n\r\n可以转换成 GBK 编码后编辑，保存时将按 GBK 编码写入。\r\n\r\n其中有 ",
                                  number(unrepresentable),
                                  " 个字符 GBK 编码无法表示，转换后将变成 ?。\r\n\r\n"
                                  "转换成 GBK 编码读入吗？(选{否}则不读入，当前文档保持不变)")};
}

Notice fileNotices::zeroBytes(std::string_view path, std::size_t kept, std::size_t lost)
{
    return {"注意：", concatTexts("文件中有零字节:\r\n\r\n", path, "\r\n\r\n第一个零字节及其后共 ", number(lost),
                                  " 个字节编辑框无法显示，保存时也不会保留;只有它之前的 ", number(kept),
                                  " 个字节能读入。\r\n\r\n仍然读入吗？(选{否}则不读入，当前文档保持不变)")};
}

Notice fileNotices::loneLineBreaks(std::string_view path, std::size_t longestLine)
{
    const std::string effect = longestLine > longestQuickLine
                                   ? concatTexts("编辑框不把它们当作换行，最长的一行将有 ", number(longestLine),
                                                 " 个字节，读入要很久，程序在此期间没有响应，段落和字数也不对。")
                                   : std::string("编辑框不把它们当作换行，几行文字会连成一段，段落和字数都不对。");
    return {"注意：",
            concatTexts("文件的行尾是单独的换行符(LF 或 CR)，不是 Windows 的回车换行(CR LF):\r\n\r\n", path, "\r\n\r\n",
                        effect, "\r\n\r\n把行尾转换成回车换行(CR LF)再读入吗？(选{否}则不读入，当前文档保持不变)")};
}

Notice fileNotices::longLine(std::string_view path, std::size_t longestLine)
{
    return {"注意：", concatTexts("文件中有很长的一行(", number(longestLine), " 个字节，中间没有换行):\r\n\r\n", path,
                                  "\r\n\r\n编辑框排版这样长的一行很慢，读入可能要几分钟，程序在此期间没有响应。\r\n\r\n"
                                  "仍然读入吗？(选{否}则不读入，当前文档保持不变)")};
}

Notice fileNotices::notGbk(std::string_view path)
{
    return {"注意：", concatTexts("文件中有不是 GBK 编码的文字:\r\n\r\n", path,
                                  "\r\n\r\n这些字节将显示为 ?，保存时按显示的文字写回，原来的字节不会保留。")};
}

Notice notices::recoveryOffer(const RecoveryOffer& offer)
{
    const std::string found = offer.total > 1
                                  ? concatTexts("找到 ", std::to_string(offer.total), " 份上次没有保存的文字, 这是第 ",
                                                std::to_string(offer.index), " 份:")
                                  : std::string("找到一份上次没有保存的文字:");
    const std::string_view replacing =
        offer.replacesRestored ? "\r\n选择{是}, 刚才恢复的文字会放进 %LOCALAPPDATA%\\Wrivo\\Discarded 文件夹。" : "";
    return {"恢复：", concatTexts(found, "\r\n\r\n时间:  ", offer.time,
                                  "\r\n文件:  ", offer.fileName.empty() ? std::string_view("未命名") : offer.fileName,
                                  "\r\n字数:  ", offer.count, "\r\n\r\n是否恢复这份文字？\r\n\r\n", replacing,
                                  "选择{否}, 它会放进 %LOCALAPPDATA%\\Wrivo\\Discarded 文件夹。")};
}

Notice notices::recoveryDamaged(int count, int moved, std::string_view folder)
{
    const std::string stuck =
        moved < count ? concatTexts("\r\n\r\n其中 ", std::to_string(count - moved), " 份无法移动, 仍在原处。") : "";
    return {"恢复：", concatTexts(std::to_string(count), " 份恢复副本已经损坏, 不能载入。\r\n\r\n",
                                  moved > 0 ? concatTexts("已移到:\r\n", folder) : std::string(), stuck)};
}

Notice notices::recoveryStoreUnusable(bool writingLost)
{
    return {"注意：",
            concatTexts("无法写入 %LOCALAPPDATA%\\Wrivo 文件夹。\r\n\r\n编辑照常进行, "
                        "但没有保存的文字在程序意外结束后将无法恢复, 丢弃的文字也不会留底",
                        writingLost ? ", 本次运行的写作目标和字数也不会保留" : "", "。\r\n\r\n本次运行不再提示。")};
}

Notice notices::recoveryUnwritable()
{
    return {"注意：", "无法写入恢复副本 (%LOCALAPPDATA%\\Wrivo\\Recovery)。\r\n\r\n编辑照常进行, "
                      "但没有保存的文字在程序意外结束后将无法恢复。\r\n\r\n本次运行不再提示。"};
}

Notice notices::recoveryTooLarge(std::uint64_t limitMb)
{
    return {"注意：", concatTexts("文档超过 ", std::to_string(limitMb),
                                  " MB, 不再为它写新的恢复副本 (之前写下的副本仍然保留)。\r\n\r\n请及时保存。"
                                  "\r\n\r\n本次运行不再提示。")};
}

Notice notices::shelfUnwritable()
{
    return {"注意：", "无法把丢弃的文字放进 %LOCALAPPDATA%\\Wrivo\\Discarded 文件夹, "
                      "丢弃的文字没有留底。\r\n\r\n本次运行不再提示。"};
}

Notice notices::versionsUnwritable()
{
    return {"注意：", "无法把文件保存前的内容写入 %LOCALAPPDATA%\\Wrivo\\History 文件夹：文件照常保存，"
                      "但没有留下历史版本。\r\n\r\n本次运行不再提示。"};
}

Notice notices::versionNotKept(std::string_view path, std::uint64_t limitMb)
{
    return {"注意：",
            concatTexts("文件保存前的内容读不出或超过 ", std::to_string(limitMb),
                        " MB：文件照常保存，但没有留下历史版本。\r\n\r\n", path, "\r\n\r\n本次运行不再提示。")};
}

Notice notices::fileNameOutsideCodePage(std::string_view shownName)
{
    return {"打开失败：",
            concatTexts("文件名中有 GBK 编码无法表示的字符(下面显示为 ?):\r\n\r\n", shownName,
                        "\r\n\r\nWrivo 无法打开这个文件。请把文件改名(只用简体中文、英文字母和数字)后再打开。"
                        "\r\n\r\n当前文档保持不变。")};
}

Notice notices::codePageNotGbk(std::uint32_t codePage)
{
    return {"代码页提醒：",
            concatTexts("Wrivo 读写的是 GBK (简体中文) 编码的文字。\r\n\r\n这台 Windows 让 Wrivo 以另一种代码页 (",
                        toText(Value{static_cast<std::int32_t>(codePage)}),
                        ") 运行,中文会显示错乱,保存时也会写错。\r\n\r\n"
                        "解决办法(任选其一):\r\n"
                        "1. 在 Windows 11 上使用 Wrivo;\r\n"
                        "2. 在 控制面板 → 区域 → 管理 → 更改系统区域设置 中,把 非 Unicode 程序的语言 设为 中文(简体),"
                        "然后重新启动电脑。")};
}

Notice notices::shelfUnwritableTextKept()
{
    return {"注意：", "无法把丢弃的文字放进 %LOCALAPPDATA%\\Wrivo\\Discarded 文件夹。\r\n\r\n"
                      "这些文字暂时留在 %LOCALAPPDATA%\\Wrivo\\Recovery 文件夹里，下次启动 Wrivo 时会问您是否恢复。"
                      "\r\n\r\n本次运行不再提示。"};
}

Notice notices::interruptedSave(std::string_view document, std::string_view backup)
{
    return {"注意：", concatTexts("上次保存文档时程序意外结束，文档保存前的内容留在了备份文件里：\r\n\r\n文档：",
                                  document, "\r\n备份：", backup,
                                  "\r\n\r\n文档现在不在了，或者与备份不同。请打开两个文件核对；"
                                  "需要时把备份文件改回文档的名字。\r\n\r\nWrivo 不会删除这个备份文件。")};
}

} // namespace wrivo
