#pragma once
// One object per file, colour or font dialog: arguments in, results back in
// the same arguments, true when the user confirmed.
#include <QString>
#include <QStringList>
#include <array>

class QFont;

class QWidget;

class cCommonDialog {
public:
    struct Font {
        QString name;
        double size = 10;     // points
        int weight = 400;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
    };

    // Flag words handed to the dialogs.
    enum : int {
        OFN_READONLY = 0x1,
        OFN_OVERWRITEPROMPT = 0x2,
        OFN_HIDEREADONLY = 0x4,
        OFN_HOOK_TEMPLATE = 0x60,
        OFN_FILEMUSTEXIST = 0x1000,
        OFN_MULTISELECT = 0x80200,
        CC_RGBINIT = 0x1,
        CC_FULLOPEN = 0x2,
        CC_PREVENTFULLOPEN = 0x4,
        CC_SOLIDCOLOR = 0x80,
        CC_ANYCOLOR = 0x100,
        CF_SCREENFONTS = 0x1,
        CF_PRINTERFONTS = 0x2,
        CF_INITTOLOGFONTSTRUCT = 0x40,
        CF_EFFECTS = 0x100,
        CF_LIMITSIZE = 0x2000,
    };

    int APIReturn() const { return m_apiReturn; }
    int ExtendedError() const { return m_extendedError; }

    bool VBGetOpenFileName(QString& fileName, QString& fileTitle, bool mustExist, bool multiSelect, bool& readOnly,
                           bool hideReadOnly, QString& filter, int& filterIndex, const QString& initialDir,
                           const QString& title, const QString& defaultExt, QWidget* owner, int& flags);
    bool VBGetSaveFileName(QString& fileName, QString& fileTitle, bool overwritePrompt, QString& filter,
                           int& filterIndex, const QString& initialDir, const QString& title,
                           const QString& defaultExt, QWidget* owner, int& flags);
    static QString VBGetFileTitle(const QString& path);
    // colour: a colour reference (red + 256*green + 65536*blue); -1 when not confirmed.
    bool VBChooseColor(int& colour, bool anyColour = true, bool fullOpen = false, bool disableFullOpen = false,
                       QWidget* owner = nullptr, int flags = 0);
    // A font's family as a user and a page know it, without Qt's "[foundry]".
    static QString FamilyName(const QFont& font);
    bool VBChooseFont(Font& font, int& printerDC, QWidget* owner, int& colour, int minSize, int maxSize, int& flags);

    int CustomColor(int index);
    void SetCustomColor(int index, int colour);

    // "label|pattern|..." split at "|" and ":" into label/pattern pairs.
    static QList<QPair<QString, QString>> FilterPairs(const QString& filter);
    // Qt name filters, "ASP files (*.asp)".
    static QStringList QtNameFilters(const QString& filter);
    // The height a font of this size is described with, for twips per pixel.
    static int FontHeight(double points, double twipsPerPixel);
    static int OpenFlags(bool mustExist, bool multiSelect, bool readOnly, bool hideReadOnly, int callerFlags);
    static int SaveFlags(bool overwritePrompt, int callerFlags);
    static int ColorFlags(bool anyColour, bool fullOpen, bool disableFullOpen);
    static int FontFlags(int& printerDC, int colour, int minSize, int maxSize, int callerFlags);

private:
    static void followChoice(const QString& chosen);
    void ensureCustomColours();

    int m_apiReturn = 0;
    int m_extendedError = 0;
    bool m_customLoaded = false;
    std::array<int, 16> m_custom{};
};
