#include "core/Messages.h"

#include <cstdio>
#include <unordered_map>

namespace stracol::core {
namespace {

const std::unordered_map<int, std::string_view>& Table() {
    static const std::unordered_map<int, std::string_view> table = {
        {131, "データが変更されましたが、キャンセルしてよいのですか？"},
        {901, "追加できません."},
        {902, "最大行数です. 追加できません."},
        {903, "データが無い、または異常・不正です."},
        {904, "上書きできません."},
        {905, "上書きできません. 指定行が範囲外です."},
        {908, "同じ %1データがあります.\n修正なら上書きしてください."},
        {912, "データがありません、または異常です　\n( %1 )"},
        {915, "読み込みできません.　\n(ファイルの内容が違います)"},
        {1110, "現在の様式をクリアし、上書きします. よいですか？\n( 柱状図データは消えません )"},
        {1111, "正しく表示されない可能性があります.　"},
        {1112, "表示事項の一覧内に下のNoのデータはありません \n修正しますか?\n%1"},
        {1204, "現在の表示事項や配置などの様式を\n起動時待機用として保存します. 　"},
        {3991, "修正幅が微小です. 手動で修正して下さい.　\nまたは修正可能な項目幅がありません.　"},
        {3993, "%1\nグループ数が無いまたは異常です. 修正しますか?"},
        {3994, "「%1」\nグループ数が異常です.修正しますか？"},
        {3995, "同じ「表示事項」データがあります.\n（%1）"},
        {4001, "これ以上データを扱えません"},
        {4005, "保存できませんでした"},
        {4007, "標準の拡張子ではありません"},
        {4032, "実行できませんでした"},
        {32778, "データがありません"},
        {32790, "ファイルが見つかりません\n( %1 )"},
        {static_cast<int>(MessageId::TooManyCsv), "too many csv"},
        {static_cast<int>(MessageId::CantCreateFont), "Can't create font"},
        {static_cast<int>(MessageId::BadInstallFolder), "Stracol.exeを適当なフォルダに保存して下さい"},
        {static_cast<int>(MessageId::NotReadableLogFile), "読み込み可能な柱状図データファイルではありません"},
        {static_cast<int>(MessageId::UnknownDtdVersion), "DTDバージョンが不明または未対応です."},
        {static_cast<int>(MessageId::CannotReformat), "改行が無いか、1行のデータが長大です.\n整形できません."},
        {static_cast<int>(MessageId::UseOpenMenu), "メニュー「開く..」を使ってみてください.\n1行のデータが長大でした."},
        {static_cast<int>(MessageId::LineTooLong), "データ1行の文字数が多すぎました、1行2000字以下にして下さい."},
        {static_cast<int>(MessageId::NoPropertyTable), "性状の判定表データがありません"},
        {static_cast<int>(MessageId::BadPathName), "パス名が異常です"},
        {static_cast<int>(MessageId::PrintDepthPerPage), "1ページの印刷深度は\n約 %d (m)です"},
        {static_cast<int>(MessageId::NoDrawingLength), "作図長さがありません"},
        {static_cast<int>(MessageId::NotAnInteger), "整数を入力してください。"},
        {static_cast<int>(MessageId::NotANumber), "数値を入力してください。"},
        {static_cast<int>(MessageId::IntegerOutOfRange), "%1 から %2 までの整数を入力してください。"},
        {static_cast<int>(MessageId::NumberOutOfRange), "%1 から %2 までの数値を入力してください。"},
        {static_cast<int>(MessageId::NoDataForce), "データがありませんが強行しますか"},
        {static_cast<int>(MessageId::BadNumber), "数値が異常です"},
        {static_cast<int>(MessageId::BadInput), "入力データが不適当です"},
        {static_cast<int>(MessageId::GiveRowPosition), "データの位置（行）を指定して下さい"},
        {static_cast<int>(MessageId::AttributeDataIncluded), "属性データ（表示制御など）も含まれています. 　編集はできません.　"},
        {static_cast<int>(MessageId::SaveFormDefault),
         "現在の配置、書式を標準設定として保存します. \n（Tesselの様に開いたデータに書式情報がある場合は\n　その書式が優先します）\n保存しますか?　"},
        {static_cast<int>(MessageId::A3Printer), "・ A3非対応のプリンタでA3設定は避けてください"},
        {static_cast<int>(MessageId::NextStartup), "・ 次の起動時から有効です."},
        {static_cast<int>(MessageId::DataNotEditable), "・データは入力できません、変更しても無効です"},
        {static_cast<int>(MessageId::TitleOptionsActive), "・調査名2行表示、標高オプション、資格名の操作は有効です."},
        {static_cast<int>(MessageId::CannotReadFile), "ファイルを読み込めません\n( %1 )"},
        {static_cast<int>(MessageId::TruncatedExchangeData),
         "ボーリング情報の終わりがありません. ファイルが途中で切れています.\n( %1 )"},
        {static_cast<int>(MessageId::TruncatedExchangeDataShown),
         "ボーリング情報の終わりがありません. ファイルが途中で切れています. 読めたところまで表示します.\n( %1 )"},
        {static_cast<int>(MessageId::RecordsDropped), "読み込めなかったデータがあります（表の容量超過、同じ深度の重複、対応する試験の無い値）: %1"},
        {static_cast<int>(MessageId::UnreadableLineNote), "正しく読めない行がありました."},
        {static_cast<int>(MessageId::RecordsSkipped),
         "読めない値のある記録を飛ばしました（深度が数値でないか0〜10000 mの外、タグ名にNUL文字）. 後の記録は読んでいます.\n%1"},
    };
    return table;
}

const char* KindLabel(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information: return "info";
        case MessageKind::Warning: return "warning";
        case MessageKind::Error: return "error";
        case MessageKind::Question: return "question";
    }
    return "";
}

}  // namespace

std::string MessageText(MessageId id) {
    auto it = Table().find(static_cast<int>(id));
    return it == Table().end() ? std::string() : std::string(it->second);
}

std::string MessageText(MessageId id, std::string_view arg) {
    std::string text = MessageText(id);
    auto pos = text.find("%1");
    if (pos != std::string::npos) text.replace(pos, 2, arg);
    return text;
}

void StderrMessages::Show(MessageKind kind, const std::string& text) {
    std::fprintf(stderr, "%s: %s: %s\n", m_prefix.c_str(), KindLabel(kind), text.c_str());
}

bool StderrMessages::Ask(const std::string& question) {
    std::fprintf(stderr, "%s: question: %s -> %s\n", m_prefix.c_str(), question.c_str(),
                 m_defaultAnswer ? "はい (Yes)" : "いいえ (No)");
    return m_defaultAnswer;
}

bool RecordingMessages::Ask(const std::string& question) {
    entries.push_back({MessageKind::Question, question});
    if (answers.empty()) return defaultAnswer;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

int RecordingMessages::Count(std::string_view text) const {
    int n = 0;
    for (const auto& e : entries) n += e.text == text ? 1 : 0;
    return n;
}

}  // namespace stracol::core
