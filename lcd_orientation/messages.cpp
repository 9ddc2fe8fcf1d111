// The texts PIVOTER holds as literals (cp932 at run time).
#include "messages.h"

const char PROGRAM_TITLE[] = "LCD ﾚｿﾞﾙｳﾞｧ";
const char MESSAGE_NOT_PORTRAIT_DRIVER[] = "現在のﾄﾞﾗｲﾊﾞは切り替えをｻﾎﾟｰﾄしていません。";
const char MESSAGE_NO_PANEL[] =
    "LCDﾊﾟﾈﾙが接続されていないか\nﾄﾞﾗｲﾊﾞが切り替えをｻﾎﾟｰﾄしていません。";
const char MESSAGE_CANNOT_STORE[] =
    "設定を変更できませんでした。\nﾚｼﾞｽﾄﾘへのｱｸｾｽ権がない可能性があります";

void ShowError(HWND owner, const char* text, const char* caption)
{
    MessageBoxA(owner, text, caption, MB_ICONERROR);
}
