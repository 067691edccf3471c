// SPDX-License-Identifier: MIT
// TReportForm: the report editor window of the WriteReport plug-in.
//
// The host creates the form through the class registry ("TReportForm"), embeds the widget,
// hands over its main form and data module (IBPLFuncTion::GetMainFormObject) and then drives
// it through IReportForm. Interface references never own the form: the host deletes the
// widget. Everything runs on the UI thread.
//
// Every control is a public member whose C++ name is also its objectName. The behaviour is
// split into one source file per area (ReportForm_<Area>.cpp); the event wiring of every
// control lives in ReportForm_Wiring.cpp.
#pragma once
#include "ColorComboBox.h"
#include "DateTimePicker.h"
#include "report/ReportData.h"
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QTextCharFormat>
#include <QWidget>
#include <cstdint>

class QAction;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QScrollArea;
class QTextEdit;
class QToolBar;
class QToolButton;
class TSectionPanel;

// One font style of TmyfontStyle (a single style, not a set).
enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
// Paragraph alignment of TmyfontStyle.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
// Paragraph numbering of TmyfontStyle.
enum TNumberingStyle : std::uint8_t { nsNone, nsBullet };

// A font description passed to SetReTextAttributes.
struct TmyfontStyle {
    QString ufname;
    std::int32_t ufSize = 0;
    TColor ufcolor = 0;
    TFontStyle ufstyle = fsBold;
    TAlignment uAlignment = taLeftJustify;
    TNumberingStyle uNumbering = nsNone;
};

// Which attribute a SetReTextAttributes call is about.
enum Topfnt : std::uint8_t { uft_name, uft_size, uft_color, uft_style, uft_Numbering, uft_saveDefault };

// The two colours of the edit state: white while unlocked, the scroll box's grey while locked.
inline constexpr TColor clEditableWhite = 0xFFFFFF;
inline constexpr TColor clLockedGrey = 0xD8D8D8;

class TReportForm : public QWidget, public TReportData, public IReportForm, public IBPLFuncTion {
    Q_OBJECT

public:
    explicit TReportForm(QWidget* parent = nullptr);
    ~TReportForm() override;

    // IInterface: answers IReportForm, IBPLFuncTion and IInterface; no reference counting.
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int _AddRef() override;
    int _Release() override;

    // IBPLFuncTion
    int GetFrmClassType() override;
    void GetMainFormObject(IInterface* Main_Form, IInterface* uPubDm) override;

    // IReportForm, in slot order
    void OpenReportByRuid(const QString& rguid) override;
    void SaveReportToDb(const QString& rguid) override;
    void SetcontrolsEnable(bool uEnable) override;
    bool GetReportIsEdited(const QString& rguid) override;
    void SetModValues_SuoJianPasteFromClipboard() override;
    void SetModValues_JieLunPasteFromClipboard() override;
    void SetJinCha_ItemString(const QString& itemNames) override;
    void SetExamMethodString(const QString& uExamMethod) override;
    void SetExamBeiZhuString(const QString& uExamBeiZhu) override;
    void SetExamJianYiString(const QString& uExamJianYi) override;
    void SetExamBuWeiString(const QString& uExamBuWei) override;
    void SetExamLCZDString(const QString& uLczd) override;
    void SetTeShuFuHao(const QString& uTsfh) override;

    // The simple modal message box with one OK button.
    void testToolFormMessage(const QString& aaa);

    // Background colour of a panel or input control as SetcontrolsEnable leaves it
    // (QPalette::Window for panels, QPalette::Base for text and combo controls), in the
    // active colour group: the colour given, whether or not the control is disabled.
    static QColor ControlColor(const QWidget* w);
    static void SetControlColor(QWidget* w, TColor color);

    // ---- Form life cycle (ReportForm_Lifecycle.cpp) ---------------------------------------
    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender);
    void FormDestroy(QObject* Sender);

    // ---- Section auto-height (ReportForm_AutoHeight.cpp) ----------------------------------
    int CountMemoLineHeights(QPlainTextEdit* Memo);
    void Reset_memoHeight(QPlainTextEdit* memo);
    void Reset_RicheditHeight(QTextEdit* re);
    void SetPostionOnstartMemoAndRich();

    // ---- Edit state and change handlers (ReportForm_EditState.cpp) ------------------------
    void Memo_jcItemChange(QObject* Sender);
    void memo_jcmethodChange(QObject* Sender);
    void Memo_jcpartChange(QObject* Sender);
    void memo_lczdChange(QObject* Sender);
    void rich_jcsjChange(QObject* Sender);
    void rich_zdjxChange(QObject* Sender);
    void rich_jcsjClick(QObject* Sender);
    void rich_jcsjEnter(QObject* Sender);
    void rich_jcsjMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void rich_jcsjMouseEnter(QObject* Sender);
    void rich_zdjxClick(QObject* Sender);
    void rich_zdjxEnter(QObject* Sender);
    void rich_zdjxMouseActivate(QObject* Sender);
    void rich_zdjxMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void rich_zdjxMouseEnter(QObject* Sender);

    // ---- open/save area ------------------------------------------------------------------
    // Record mapping (ReportForm_Mapping.cpp), open and save workflow and exam-item switch
    // (ReportForm_Workflow.cpp), doctor defaults (ReportForm_Doctors.cpp), default fonts
    // (ReportForm_Fonts.cpp). The lookup lists (GetDoctors, GetJianChaTuJing, GetTanTouPinLv,
    // GetTuXiangZhiLiang, GetJianChaTuJing_Default, GetTanTouPinLv_default,
    // GetTuXiangZhiLiang_Default), SaveReportInfoToDB and
    // AutoSetDengjiedAndCanBindItemToCurrentReport are declared here or in TReportData.
    void AsynRptInfoToUI(const TReportInfo& rpt_info);
    void UiToRptInfo(TReportInfo& rpt_info);
    void Check_AutoSelectAllCanUseItemClick(QObject* Sender);
    void Load_DoctorsIndexFromConfigFile();
    void Save_DoctorsIndexToConfigFile() override;
    void loadDefauleFonts();
    void Save_CurrentFontStyle();
    void tb_fontSaveClick(QObject* Sender);
    // end of open/save area

    // ---- Drafts (ReportForm_Drafts.cpp) ---------------------------------------------------
    // What the doctor types into an unlocked report goes to a local draft (TDraftStore) at
    // most about 1.5 s after a change; a successful save removes it; the next open of the
    // report offers it back when it differs from the stored row (a Yes/No question), and a
    // restored draft leaves the form unlocked with the property "wrDraftRestored" true.
    // The host calls DiscardDraft (by name through Qt's meta-object system, as it is not part
    // of IReportForm) when the doctor throws the edits away: the draft goes to the backup
    // folder. KeepDraftCopy keeps what the editor shows as a labelled copy in the backup
    // folder (for a save that gives the doctor's edits up); dropLiveDraft also removes the
    // live draft so the next open does not offer it. FlushDraft writes pending changes now
    // (also asked by name: the host's idle lock keeps the edits before another user takes
    // over) and answers whether the draft on disk is current.
    Q_INVOKABLE void DiscardDraft();
    bool KeepDraftCopy(const QString& label, bool dropLiveDraft);
    Q_INVOKABLE bool FlushDraft();
    // The host undid the last save after all (a step of its own failed and it rolled the
    // transaction back): the report is again as it was loaded before that save, and the
    // edits go back into the draft the save had removed. Answers whether the draft is written.
    Q_INVOKABLE bool SaveUndone();

    // Shows a stored rich-text section (ReportForm_StoredText.cpp): the RTF, or the plain
    // column when the RTF is empty or yields no text, or when it is damaged and the plain
    // column holds other text. Damage is logged as a "警告:" notice naming the section.
    void LoadRichSection(QTextEdit* re, const QString& rtf, const QString& plain, const QString& caption);

    // ---- editing-tools area --------------------------------------------------------------
    // Rich-text formatting (ReportForm_Formatting.cpp)
    QTextCharFormat CurrText(QTextEdit* re);
    void SelectionChange(QObject* Sender, QTextEdit* re);
    void SetReTextAttributes(const TmyfontStyle& ufont, Topfnt uop);
    void rich_jcsjSelectionChange(QObject* Sender);
    void rich_zdjxSelectionChange(QObject* Sender);
    void FontNameChange(QObject* Sender);
    void FontSizeChange(QObject* Sender);
    void cbx_fontColorChange(QObject* Sender);
    void BoldButtonClick(QObject* Sender);
    void UnderlineButtonClick(QObject* Sender);
    void N_copyClick(QObject* Sender);
    void N_cutClick(QObject* Sender);
    void N_pasteClick(QObject* Sender);
    // Phrase pickers (ReportForm_Pickers.cpp); the setters are the IReportForm slots above
    void sb_jcitemClick(QObject* Sender);
    void sb_jcMethodClick(QObject* Sender);
    void Lab_jcpartClick(QObject* Sender);
    void lab_lczdClick(QObject* Sender);
    void lab_yxbxClick(QObject* Sender);
    void lab_JianyiClick(QObject* Sender);
    void lab_beizhuClick(QObject* Sender);
    void Tb_tsfhClick(QObject* Sender);
    // Templates (ReportForm_Templates.cpp): the two paste slots of IReportForm above
    // Hip-joint panel (ReportForm_HipJoint.cpp); each combo's Tag is its dynamic property "Tag"
    void SaveGgjCbxItemInexDefault(QObject* Sender);
    void LoadGgjCbxItemIndexDefault();
    void SpeedButton1Click(QObject* Sender);
    void SpeedButton1DblClick(QObject* Sender);
    void Cbx_kgj_Left_BaseLineDblClick(QObject* Sender);
    void Cbx_kgj_Right_BaseLineDblClick(QObject* Sender);
    void Cbx_kgj_Left_kjgdDblClick(QObject* Sender);
    void Cbx_kgj_Right_kjgdDblClick(QObject* Sender);
    void Cbx_kgj_Left_gxtqDblClick(QObject* Sender);
    void Cbx_kgj_Right_gxtqDblClick(QObject* Sender);
    void Cbx_kgj_Left_rgycDblClick(QObject* Sender);
    void Cbx_kgj_Right_rgycDblClick(QObject* Sender);
    void Cbx_kgj_Left_gxzxDblClick(QObject* Sender);
    void Cbx_kgj_Right_gxzxDblClick(QObject* Sender);
    void Cbx_kgj_Left_αDblClick(QObject* Sender);
    void Cbx_kgj_Right_αDblClick(QObject* Sender);
    void Cbx_kgj_Left_βDblClick(QObject* Sender);
    void Cbx_kgj_Right_βDblClick(QObject* Sender);
    // end of editing-tools area

    // ---- Controls ------------------------------------------------------------------------
    QScrollArea* ScrollBox_Report = nullptr;
    QWidget* ScrollBox_Content = nullptr;  // the scroll box's stacking surface
    QFrame* panel_Bottom = nullptr;
    QList<QIcon> ImageList1;  // context-menu glyphs, 16 x 16
    QList<QIcon> ImageList2;  // tool-bar glyphs, 16 x 16

    // Formatting tool bar
    TSectionPanel* Panel_FontToolBar = nullptr;
    QFrame* CoolBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QFontComboBox* FontName = nullptr;
    QComboBox* FontSize = nullptr;
    TColorComboBox* cbx_fontColor = nullptr;
    QToolButton* BoldButton = nullptr;
    QToolButton* UnderlineButton = nullptr;
    QToolButton* ItalicButton = nullptr;
    QToolButton* LeftAlign = nullptr;
    QToolButton* CenterAlign = nullptr;
    QToolButton* RightAlign = nullptr;
    QToolButton* BulletsButton = nullptr;
    QToolButton* tb_fontSave = nullptr;
    QCheckBox* tb_Check_Add = nullptr;
    QCheckBox* Check_AutoSelectAllCanUseItem = nullptr;
    QToolButton* Tb_tsfh = nullptr;

    // Text sections
    TSectionPanel* panel_jcitem = nullptr;
    QFrame* Shape1 = nullptr;
    QToolButton* sb_jcitem = nullptr;
    QPlainTextEdit* Memo_jcItem = nullptr;
    TSectionPanel* panel_jcmethod = nullptr;
    QFrame* Shape2 = nullptr;
    QToolButton* sb_jcMethod = nullptr;
    QPlainTextEdit* memo_jcmethod = nullptr;
    TSectionPanel* panel_jcpart = nullptr;
    QFrame* Shape4 = nullptr;
    QToolButton* Lab_jcpart = nullptr;
    QPlainTextEdit* Memo_jcpart = nullptr;
    TSectionPanel* panel_lczd = nullptr;
    QFrame* Shape6 = nullptr;
    QToolButton* lab_lczd = nullptr;
    QPlainTextEdit* memo_lczd = nullptr;
    TSectionPanel* panel_yxbx = nullptr;
    QFrame* Shape3 = nullptr;
    QToolButton* lab_yxbx = nullptr;
    QTextEdit* rich_jcsj = nullptr;
    TSectionPanel* panel_zdyx = nullptr;
    QFrame* Shape5 = nullptr;
    QToolButton* lab_zdyx = nullptr;
    QTextEdit* rich_zdjx = nullptr;
    TSectionPanel* Panel_JianYi = nullptr;
    QFrame* Shape9 = nullptr;
    QToolButton* lab_Jianyi = nullptr;
    QPlainTextEdit* Memo_JianYi = nullptr;
    TSectionPanel* panel_beizhu = nullptr;
    QFrame* Shape7 = nullptr;
    QToolButton* lab_beizhu = nullptr;
    QPlainTextEdit* memo_beizhu = nullptr;

    // Hip-joint screening
    TSectionPanel* Panel_kuanGuanJie = nullptr;
    QFrame* Shape11 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label5 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QComboBox* Cbx_kgj_Left_BaseLine = nullptr;
    QComboBox* Cbx_kgj_Right_BaseLine = nullptr;
    QComboBox* Cbx_kgj_Left_kjgd = nullptr;
    QComboBox* Cbx_kgj_Right_kjgd = nullptr;
    QComboBox* Cbx_kgj_Left_gxtq = nullptr;
    QComboBox* Cbx_kgj_Right_gxtq = nullptr;
    QComboBox* Cbx_kgj_Left_rgyc = nullptr;
    QComboBox* Cbx_kgj_Right_rgyc = nullptr;
    QComboBox* Cbx_kgj_Left_gxzx = nullptr;
    QComboBox* Cbx_kgj_Right_gxzx = nullptr;
    QComboBox* Cbx_kgj_Left_α = nullptr;
    QComboBox* Cbx_kgj_Right_α = nullptr;
    QComboBox* Cbx_kgj_Left_β = nullptr;
    QComboBox* Cbx_kgj_Right_β = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr;

    // Other values
    TSectionPanel* Panel_Other = nullptr;
    QFrame* Shape8 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Cbx_TanTouRate = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edt_weiJiZhi = nullptr;
    QCheckBox* Check_YinYiang = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cbx_jcTuJing = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* cbx_ImageQuality = nullptr;

    // Report state, doctors and dates
    TSectionPanel* panel_reportState = nullptr;
    QFrame* Shape10 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label13 = nullptr;
    QComboBox* Cbx_ReportDoctor = nullptr;
    QLabel* Label15 = nullptr;
    QComboBox* cbx_ExamDoctor = nullptr;
    QLabel* Label14 = nullptr;
    QComboBox* Cbx_HuiZhenDoctor = nullptr;
    QLabel* Label12 = nullptr;
    QComboBox* Cbx_ShenHedoctor = nullptr;
    QLabel* Label16 = nullptr;
    TDateTimePicker* L_ReportDate = nullptr;
    QLabel* Label17 = nullptr;
    TDateTimePicker* L_ShenHeDate = nullptr;

    // Context menu of both rich edits
    QMenu* Popup_richedit = nullptr;
    QAction* N_copy = nullptr;
    QAction* N_cut = nullptr;
    QAction* N_paste = nullptr;
    QAction* N1 = nullptr;
    QAction* N_showFontTool = nullptr;

    // ---- State ---------------------------------------------------------------------------
    bool Fupdating = false;           // the tool bar is being synchronised with a selection
    QTextEdit* current_Re = nullptr;  // the rich edit last clicked, entered or hovered

protected:
    bool FEditStatus = false;  // unlocked for editing
    bool FSaving = false;      // a save is running: rich edits keep their height
    // Drafts (ReportForm_Drafts.cpp)
    class QTimer* FDraftTimer = nullptr;  // single-shot, armed by a change, null until the first
    bool FDraftDirty = false;             // changes not yet in the draft file
    bool FDraftSuspended = false;         // an open is filling the controls
    QByteArray FDraftBase;                // digest of the stored row as last loaded (DraftBase())
    // That row, until a draft needs its digest: the digest of a long report takes
    // milliseconds, and most opens write no draft.
    TReportInfo FDraftBaseRow;
    bool FDraftBaseKnown = true;
    // The draft's base as it was when the last save began, for SaveUndone.
    struct TDraftBaseBeforeSave {
        TReportInfo row;
        bool known = true;
        QByteArray digest;
    } FDraftBaseBeforeSave;
    const QByteArray& DraftBase();
    // RTF of each rich edit as last taken for a draft, until its document changes: a draft
    // written after an edit elsewhere does not serialise a long findings text again.
    QByteArray FDraftRtf[2];
    const void* FDraftRtfDocument[2] = {nullptr, nullptr};  // null: stale
    QByteArray DraftRtf(int which);
    class TDraftStore DraftStore() const;
    struct TReportDraft CurrentDraft();
    void WireDraftTracking();
    void DraftContentChanged();
    bool WriteDraft(bool log);
    void OfferDraft();
    void SetDraftOfFinalReportAside(class TDraftStore& store);
    struct TMessageRequest DraftQuestion(const struct TReportDraft& draft, const QList<struct TDraftDifference>& diff);
    void DraftSaved();
    std::int32_t FdefaultSheHeDoctor = 0;
    std::int32_t FdefaultreportDoctorIndex = 0;
    std::int32_t FdefaulthuiZhuidoctorIndex = 0;
    std::int32_t FdefaultexamctorIndex = 0;
    bool FBForcceYinYangXingCheck = false;

    // Called with the handler's name right before a wired event runs it; lets a test see
    // which handler a control event reaches without depending on what the handler does.
    virtual void TraceHandler(const char* handlerName) { Q_UNUSED(handlerName); }

    // Report-data hooks answered with the form's controls (open/save area).
    void CompleteReportDefaults(TReportInfo& Rpt_info) override;
    QString SelectRememberedDoctor(TDoctorBox box) override;
    bool AutoSelectAllCanUseItemChecked() override;
    QByteArray RichEditRtf(TRichSection which) override;
    QWidget* DialogParent() override;
    // Save conflicts (ReportForm_Conflict.cpp).
    TConflictChoice ResolveSaveConflict(const TSaveConflict& conflict) override;
    void TakeStoredVersion(const TSaveConflict& conflict) override;
    bool FReloadAfterSave = false;  // the doctor took the stored version: show it once the save ends

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout (ReportForm_Layout*.cpp)
    void BuildControls();
    void BuildToolBar();
    void BuildTextSections();
    void BuildHipJointPanel();
    void BuildOtherPanel();
    void BuildReportStatePanel();
    void BuildPopupMenu();
    // Wiring (ReportForm_Wiring.cpp)
    void WireEvents();
    // The scroll box follows the caret; one-line fields fit their text (ReportForm_Typing.cpp)
    void WireTyping();
    // Auto-height helpers
    void FitMemoSection(QPlainTextEdit* memo);
    void FitRichSection(QTextEdit* re);
};

// Unit variables kept for the host's sake; nothing in the package reads or writes them.
extern TReportForm* ReportForm;
extern std::int32_t r_selectIndex;
