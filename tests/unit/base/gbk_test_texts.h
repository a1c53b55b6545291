// GBK byte spellings of the characters the base tests use, with their readable form.
#pragma once

#define GBK_ZHONG "\xD6\xD0"      // 中
#define GBK_WEN "\xCE\xC4"        // 文
#define GBK_SHANG_A "\x81\x41"    // 丄: the second byte reads as 'A'
#define GBK_IDEO_SPACE "\xA1\xA1" // the ideographic space
#define GBK_YIN_HAO "\xD2\xFD\xBA\xC5"  // 引号
#define GBK_NIAN "\xC4\xEA"  // 年
#define GBK_YUE "\xD4\xC2"   // 月
#define GBK_RI "\xC8\xD5"    // 日
#define GBK_SHI "\xCA\xB1"   // 时
#define GBK_FEN "\xB7\xD6"   // 分
#define GBK_MIAO "\xC3\xEB"  // 秒
