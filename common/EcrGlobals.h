#pragma once

class CCaptionManagerBase;
struct S_ECR_SETTING;

// Created by the program's static initialisation (CEcrTilldeskApp.cpp).
extern S_ECR_SETTING* g_pEcrSetting;          // the one settings object
extern CCaptionManagerBase** g_ppCaptionMgr;  // holder of the caption manager; check the held pointer
extern int g_nShowListPos;                    // list position of the latest screen switch
