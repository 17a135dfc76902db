#include "bench/CatalogGenerator.hpp"

#include <array>
#include <string_view>

#include "core/IniFile.hpp"
#include "core/ListSplit.hpp"

namespace velarion::bench {
namespace {

struct Program {
    const char* name;     // as a user names the button
    const char* vendor;   // the folder it is installed in
    const char* exe;
};

constexpr Program Chat[] = {
    {"微信", "Tencent\\WeChat", "WeChat.exe"},
    {"QQ", "Tencent\\QQ\\Bin", "QQ.exe"},
    {"钉钉", "DingDing", "DingtalkLauncher.exe"},
    {"企业微信", "WXWork", "WXWork.exe"},
    {"飞书", "Feishu", "Feishu.exe"},
    {"腾讯会议", "Tencent\\WeMeet", "wemeetapp.exe"},
    {"阿里旺旺", "AliWangWang", "AliIM.exe"},
    {"YY语音", "duowan\\yy", "YY.exe"},
    {"新浪微博", "微博桌面", "weibo.exe"},
    {"腾讯TIM", "Tencent\\TIM\\Bin", "TIM.exe"},
    {"千牛工作台", "AliWorkBench", "AliWorkbench.exe"},
    {"网易邮箱大师", "Netease\\MailMaster", "mailmaster.exe"},
    {"Foxmail", "Foxmail 7.2", "Foxmail.exe"},
    {"易信", "yixin", "yixin.exe"},
    {"Skype", "Microsoft\\Skype for Desktop", "Skype.exe"},
    {"陌陌", "immomo", "momo.exe"},
    {"随心聊", "随心聊", "chat.exe"},
    {"同事通讯录", "通讯录", "contacts.exe"},
    {"语音聊天室", "语音聊天室", "voiceroom.exe"},
    {"家庭群聊", "家庭群聊", "family.exe"},
};

constexpr Program Media[] = {
    {"网易云音乐", "Netease\\CloudMusic", "cloudmusic.exe"},
    {"QQ音乐", "Tencent\\QQMusic", "QQMusic.exe"},
    {"酷狗音乐", "KuGou\\KGMusic", "KuGou.exe"},
    {"酷我音乐", "KuwoMusic", "KwMusic.exe"},
    {"爱奇艺", "IQIYI Video\\LStyle", "QyClient.exe"},
    {"优酷", "YouKu\\YoukuClient", "YoukuDesktop.exe"},
    {"腾讯视频", "Tencent\\QQLive", "QQLive.exe"},
    {"哔哩哔哩", "bilibili", "哔哩哔哩.exe"},
    {"芒果TV", "MangoTV", "MangoTV.exe"},
    {"暴风影音", "Baofeng\\StormPlayer", "Storm.exe"},
    {"迅雷影音", "Thunder Network\\Xmp", "XMP.exe"},
    {"PotPlayer", "DAUM\\PotPlayer", "PotPlayerMini64.exe"},
    {"千千静听", "TTPlayer", "TTPlayer.exe"},
    {"咪咕音乐", "MiguMusic", "MiguMusic.exe"},
    {"搜狐视频", "SohuVideo", "SohuVA.exe"},
    {"西瓜视频", "西瓜视频", "xigua.exe"},
    {"格式工厂", "FormatFactory", "FormatFactory.exe"},
    {"录音机", "录音机", "recorder.exe"},
    {"卡拉OK", "卡拉OK点歌", "ktv.exe"},
    {"有声小说", "有声小说", "audiobook.exe"},
};

constexpr Program Games[] = {
    {"英雄联盟", "腾讯游戏\\英雄联盟", "Client.exe"},
    {"穿越火线", "腾讯游戏\\穿越火线", "crossfire.exe"},
    {"地下城与勇士", "腾讯游戏\\地下城与勇士", "DNF.exe"},
    {"梦幻西游", "梦幻西游", "my.exe"},
    {"原神", "Genshin Impact", "YuanShen.exe"},
    {"魔兽世界", "World of Warcraft", "Wow.exe"},
    {"炉石传说", "Hearthstone", "Hearthstone.exe"},
    {"剑网3", "SeasunGame\\JX3", "JX3ClientX64.exe"},
    {"天涯明月刀", "腾讯游戏\\天涯明月刀", "wuxia_client.exe"},
    {"QQ飞车", "腾讯游戏\\QQ飞车", "GameApp.exe"},
    {"逆水寒", "逆水寒", "nshclient.exe"},
    {"永劫无间", "Naraka", "NarakaBladepoint.exe"},
    {"植物大战僵尸", "PopCap Games\\植物大战僵尸", "PlantsVsZombies.exe"},
    {"大富翁", "大富翁8", "Rich8.exe"},
    {"仙剑奇侠传", "仙剑奇侠传", "pal.exe"},
    {"红色警戒2", "Westwood\\红色警戒2", "RA2.exe"},
    {"帝国时代", "Age of Empires II", "empires2.exe"},
    {"三国志", "KOEI\\三国志11", "San11.exe"},
    {"中国象棋", "棋牌\\中国象棋", "xiangqi.exe"},
    {"欢乐斗地主", "棋牌\\欢乐斗地主", "doudizhu.exe"},
};

constexpr Program Other[] = {
    {"WPS Office", "Kingsoft\\WPS Office", "ksolaunch.exe"},
    {"百度网盘", "BaiduNetdisk", "BaiduNetdisk.exe"},
    {"迅雷", "Thunder Network\\Thunder\\Program", "Thunder.exe"},
    {"360安全卫士", "360\\360Safe", "360Safe.exe"},
    {"搜狗输入法", "SogouInput", "SogouExe.exe"},
    {"有道词典", "Youdao\\Dict", "YoudaoDict.exe"},
    {"福昕阅读器", "Foxit Software\\Foxit Reader", "FoxitReader.exe"},
    {"金山毒霸", "kingsoft\\kingsoft antivirus", "kxetray.exe"},
    {"驱动精灵", "MyDrivers\\DriverGenius", "DriverGenius.exe"},
    {"鲁大师", "LuDaShi", "ComputerZ_CN.exe"},
    {"360压缩", "360\\360zip", "360zip.exe"},
    {"好压", "2345Soft\\HaoZip", "HaoZip.exe"},
    {"美图秀秀", "Meitu\\XiuXiu", "XiuXiu.exe"},
    {"光影魔术手", "nEO iMAGING", "iMAGING.exe"},
    {"记事本", "常用工具\\记事本", "notepad.exe"},
    {"计算器", "常用工具\\计算器", "calc.exe"},
    {"截图工具", "常用工具\\截图", "snipping.exe"},
    {"向日葵远程控制", "Oray\\SunLogin", "SunloginClient.exe"},
    {"腾讯电脑管家", "Tencent\\QQPCMgr", "QQPCTray.exe"},
    {"个人记账本", "个人记账本", "account.exe"},
};

// Several copies of one program, as people keep them: a work and a home
// account, a portable or older version.
constexpr const char* Variants[] = {
    "",        "（工作）", "（家庭）", "绿色版", "测试版", "便携版", "2023",
    "极速版",  "国际版",   "旧版",     "64位",   "精简版", "（备用）",
};

constexpr const char* Roots[] = {
    "C:\\Program Files",  "C:\\Program Files (x86)", "D:\\软件",
    "D:\\Program Files",  "E:\\游戏",                "D:\\常用工具\\绿色软件",
};

template <std::size_t N>
GeneratedEntry entryFrom(const Program (&programs)[N], int index) {
    const Program& program = programs[index % N];
    const int round = index / static_cast<int>(N);
    constexpr int variantCount = static_cast<int>(std::size(Variants));
    std::string variant = Variants[round % variantCount];
    // Past every variant: numbered copies ("微信 14").
    if (round >= variantCount) variant += " " + std::to_string(round / variantCount + 1);

    GeneratedEntry entry;
    entry.name = std::string(program.name) + variant;
    entry.path = std::string(Roots[(index * 7 + round) % std::size(Roots)]) + "\\" + program.vendor;
    if (!variant.empty()) entry.path += "\\" + variant;
    entry.path += "\\";
    entry.path += program.exe;
    return entry;
}

std::string joined(const std::vector<GeneratedEntry>& entries, std::string GeneratedEntry::*field) {
    std::string list;
    for (const GeneratedEntry& entry : entries) {
        list += entry.*field;
        list += ListSeparator;
    }
    return list;
}

}  // namespace

std::vector<GeneratedEntry> generatedEntries(Category category, int count, int first) {
    std::vector<GeneratedEntry> entries;
    entries.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = first; i < first + count; ++i) {
        switch (category) {
            case Category::Chat: entries.push_back(entryFrom(Chat, i)); break;
            case Category::Media: entries.push_back(entryFrom(Media, i)); break;
            case Category::Games: entries.push_back(entryFrom(Games, i)); break;
            case Category::Other: entries.push_back(entryFrom(Other, i)); break;
        }
    }
    return entries;
}

std::string generatedCatalogIni(const std::vector<int>& counts) {
    std::vector<IniItem> items;
    for (std::size_t i = 0; i < AllCategories.size() && i < counts.size(); ++i) {
        if (counts[i] <= 0) continue;
        const Category category = AllCategories[i];
        const auto entries = generatedEntries(category, counts[i]);
        const std::string key(categoryKey(category));
        items.push_back({std::string(SectionNames), key, joined(entries, &GeneratedEntry::name)});
        items.push_back({std::string(SectionPaths), key, joined(entries, &GeneratedEntry::path)});
    }
    return iniWriteAll("", items);
}

std::string generatedCatalogIni(int perCategory) {
    return generatedCatalogIni(std::vector<int>(AllCategories.size(), perCategory));
}

}  // namespace velarion::bench
