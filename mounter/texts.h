// Every text the main program shows or writes, in one place.
#pragma once

namespace texts {

// Main window.
inline constexpr char kMainTitle[] = "墨羽挂载器精简版";
inline constexpr char kButtonLaunch[] = "启动游戏";
inline constexpr char kButtonAdd[] = "添加皮肤";
inline constexpr char kButtonManual[] = "手动加载";
inline constexpr char kMenuMain[] = "菜单";
inline constexpr char kMenuSettings[] = "设置";
inline constexpr char kMenuCheckUpdate[] = "检查更新";
inline constexpr char kMenuAbout[] = "软件关于";
// The captions show the host names of the two sites; kept short so that the menu bar stays on
// one line in the 315-pixel-wide window.
inline constexpr char kMenuSkinSite[] = "皮肤网址:pf.moyu.cc";
inline constexpr char kMenuSkinCentre[] = "皮肤中心";
inline constexpr char kMenuOfficialSite[] = "官网:moyu.cc";
inline constexpr char kMenuOfficial[] = "官方网站";
inline constexpr char kMenuMount[] = "挂载皮肤 [墨羽挂载器]";
inline constexpr char kMenuUnmount[] = "取消挂载 [墨羽挂载器]";
inline constexpr char kMenuDelete[] = "删除皮肤 [墨羽挂载器]";

// Skin list.
inline constexpr char kColumnName[] = "皮肤名称";
inline constexpr char kColumnState[] = "状态";
inline constexpr char kColumnLabel[] = "英雄";
inline constexpr char kColumnTime[] = "时间";
inline constexpr char kMounted[] = "已挂载";
inline constexpr char kNotMounted[] = "未挂载";
inline constexpr char kListFont[] = "微软雅黑";

// Message-box captions.
inline constexpr char kCaptionFriendly[] = "【墨羽友情提示】";

// Close query.
inline constexpr char kCloseQuery[] = "墨羽LOL辅助软件友情提示\r\n确定：关闭软件\r\n取消：最小化软件";

// Game directory.
inline constexpr char kSetGamePathFirst[] = "请先设置游戏路径，否则某些功能将会失效,设置好后，重新启动挂在器！";
inline constexpr char kGamePathFailed[] = "游戏路径设置失败";
inline constexpr char kBrowseGameFolderTitle[] = "游戏根目录";
inline constexpr char kGameFolderName[] = "英雄联盟";

// Config.ini.
inline constexpr char kConfigSection[] = "Config";
inline constexpr char kKeyGameDirectory[] = "游戏目录";
inline constexpr char kKeyLaunchFile[] = "游戏启动文件";

}  // namespace texts
