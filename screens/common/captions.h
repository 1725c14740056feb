#pragma once
// The captions that sentences name as well as screens show, each written once here.

namespace nubera::screens::caption {

inline constexpr const char* kApplicationTitle = "ストリーミング　";
inline constexpr const char* kServerFolder = "仮想サーバー作成";  // the main menu's button
inline constexpr const char* kQuick = "一発　ヌベラ";             // its button and screen
inline constexpr const char* kSettings = "設定";
inline constexpr const char* kSave = "保存";
inline constexpr const char* kPublishQuick = "完成ボタン";
inline constexpr const char* kCreate = "作成";
inline constexpr const char* kPublish = "完成";
inline constexpr const char* kEnd = "終了";
inline constexpr const char* kBack = "戻る";
inline constexpr const char* kWidth = "幅";
inline constexpr const char* kHeight = "高さ";
inline constexpr const char* kAutostart = "オート起動";
inline constexpr const char* kAlignment = "位置";

}  // namespace nubera::screens::caption
