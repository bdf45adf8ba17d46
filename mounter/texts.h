// Every text the main program shows or writes, in one place.
#pragma once

namespace texts {

// Main window.
inline constexpr char kMainTitle[] = "墨羽挂载器精简版";
// The installer an update may have started; removed at the next start.
inline constexpr char kInstallerFile[] = "墨羽挂载器精简版安装包.exe";
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
inline constexpr char kStateMounted[] = "已挂载";
inline constexpr char kStateNotMounted[] = "未挂载";
inline constexpr char kListFont[] = "微软雅黑";

// Message-box captions.
inline constexpr char kCaptionFriendly[] = "【墨羽友情提示】";
inline constexpr char kCaptionNotice[] = "【墨羽提示】";

// Importing.
inline constexpr char kCaptionReady[] = "墨羽挂载器v2.0正式版";
// The progress caption: this literal (ending in twelve blanks), the skin name, kProgressLoaded,
// then the percentage.
inline constexpr char kCaptionProgress[] = "墨羽挂载器v2.0正式版            ";
inline constexpr char kProgressLoaded[] = "皮肤文件已加载%";
inline constexpr char kSkinExists[] = "\r\n皮肤已存在，请勿重复添加";  // after the skin name
inline constexpr char kNotZip[] = "抱歉，压缩包格式不是zip,请解压重新压缩成zip格式的";
inline constexpr char kDropNotZip[] = "抱歉，软件目前暂时只支持zip、rar格式压缩包";
inline constexpr char kBadSkinName[] =
    "\r\n抱歉，皮肤名称取自文件名中第一个“.”之前的部分，它不能为空，也不能含有“[”，请修改文件名后重新添加";
inline constexpr char kStoreFailed[] = "\r\n抱歉，皮肤文件保存失败，请检查软件目录是否可以写入";
inline constexpr char kOpenDialogTitle[] = "请输入欲打开的文件：";
inline constexpr char kOpenDialogFilterName[] = "ZIP格式压缩文件";
inline constexpr char kOpenDialogFilterPattern[] = "*.ZIP";
inline constexpr char kUnknownLabel[] = "未知";

// Mounting and unmounting.
inline constexpr char kCaptionMount[] = "【墨羽皮肤挂载】友情提示！";
inline constexpr char kMountSelectFirst[] = "墨羽提示\r\n请先选中皮肤，在进行挂载";
inline constexpr char kAlreadyMounted[] = "\r\n此皮肤已挂载，请进游戏查看";          // after the skin name
inline constexpr char kMountFailed[] = "\r\n挂载失败，请删除皮肤尝试重新挂载或请仔细查看说明";
inline constexpr char kMounted[] = "\r\n挂载成功，请进游戏查看";
inline constexpr char kMountNameNotAnsi[] =
    "\r\n挂载失败，皮肤名称中有游戏无法识别的字符，请修改文件名后重新添加皮肤";
inline constexpr char kUnmountSelectFirst[] = "请选中皮肤。在取消挂载     ";
inline constexpr char kNotYetMounted[] = "\r\n此皮肤还未挂载，请挂载";
inline constexpr char kUnmounted[] = "\r\n取消挂载成功";
inline constexpr char kUnmountUnreadable[] =
    "\r\n取消挂载失败：无法读取游戏的皮肤列表Game\\ClientZips.txt（可能正被其他程序占用），请关闭游戏后重试";
inline constexpr char kUnmountFailed[] =
    "\r\n取消挂载失败：无法更新游戏的皮肤列表Game\\ClientZips.txt（可能正被其他程序占用），请关闭游戏后重试";

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
