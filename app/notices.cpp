#include "app/notices.h"

#include <array>

#include "app/maker_info.h"
#include "services/message_box.h"
#include "services/text.h"

namespace wrivo {

std::string startTitle()
{
    return concatTexts("Wrivo  3.7    --  Orvanne出品 ", maker::webAddress, "  ");
}

Notice notices::hide()
{
    return {"特殊提醒:",
            "[Esc]键     一键隐藏/显示本程序\r\n\r\n"
            "为防止隐藏后操作不当.本程序被其它窗口盖住,接收不到显示指令.\r\n\r\n"
            "程序面板特别预留了5%的可见度.请注意查看 \\@ o @/ \r\n\r\n"
            "只要点一下程序面板任意位置,都能接收显示指令!"};
}

Notice notices::help()
{
    const std::string rule(45, '-');
    const std::string website = concatTexts("敬请关注 官方网址 ", maker::webAddress);
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
                        maker::instantMessagingNumber, "\r\n\r\n联系邮箱  :    ", maker::feedbackMail,
                        "    \r\n\r\n")};
}

Notice notices::author()
{
    return {"作者版权：", concatTexts("Wrivo 3.7\r\n\r\n作者：", maker::authorName, "\r\n\r\n官方网址：",
                                     maker::webAddress)};
}

Notice notices::count()
{
    return {"Orvanne开发组感谢您使用 Wrivo3.7",
            "亲爱滴!!! 字数统计已被实时显示在上方标题处.\r\n\r\n本快捷操作会在下个版本中支持新的功能.\r\n\r\n"
            "全新功能尽在版本升级  警请关注!!!"};
}

Notice notices::fileNameOutsideCodePage(std::string_view shownName)
{
    return {"打开失败：", concatTexts("文件名中有 GBK 编码无法表示的字符(下面显示为 ?):\r\n\r\n", shownName,
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

} // namespace wrivo
