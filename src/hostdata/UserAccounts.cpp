// SPDX-License-Identifier: MIT
#include "UserAccounts.h"
#include "platform/DateTime.h"
#include "platform/PasswordProof.h"
#include <sodium.h>
#include <stdexcept>

namespace {

// Interactive limits: about 64 MiB and a fraction of a second per check on a workstation.
constexpr unsigned long long kOpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

const QString kWrongPassword = QStringLiteral("用户名或密码错误");

void InitSodium()
{
    static const int rc = sodium_init();
    if (rc < 0) throw std::runtime_error("libsodium cannot be initialised");
}

// The password's UTF-8 bytes, wiped when the holder goes away.
class TSecretBytes {
public:
    explicit TSecretBytes(const QString& text) : m_bytes(text.toUtf8()) {}
    ~TSecretBytes() { sodium_memzero(m_bytes.data(), static_cast<size_t>(m_bytes.size())); }
    TSecretBytes(const TSecretBytes&) = delete;
    TSecretBytes& operator=(const TSecretBytes&) = delete;
    const char* data() const { return m_bytes.constData(); }
    unsigned long long size() const { return static_cast<unsigned long long>(m_bytes.size()); }

private:
    QByteArray m_bytes;
};

// The databases hand an unknown user a challenge with these parameters (DECOY_OPS and
// DECOY_MEM_KIB of db/sqlite/tools/gen_procedures.py, likewise on the servers): equal to the
// current ones, an unknown user's attempt costs exactly one Argon2id, as a known user's does.
static_assert(crypto_pwhash_OPSLIMIT_INTERACTIVE == 2 && crypto_pwhash_MEMLIMIT_INTERACTIVE == 65536ull * 1024);
// A database asking for more memory than this is not obeyed.
constexpr int kMaxMemKiB = 1 << 20;

struct TChallenge {
    QByteArray salt;
    int ops = 0;
    int memKiB = 0;
    QByteArray serverNonce;
};

// The raw Argon2id output over the salt and parameters of a challenge: the salted password.
QByteArray SaltedPassword(const QString& password, const QByteArray& salt, int ops, int memKiB)
{
    InitSodium();
    const TSecretBytes bytes(password);
    QByteArray out(PasswordProof::kSaltedBytes, '\0');
    if (crypto_pwhash(reinterpret_cast<unsigned char*>(out.data()), static_cast<unsigned long long>(out.size()),
                      bytes.data(), bytes.size(), reinterpret_cast<const unsigned char*>(salt.constData()),
                      static_cast<unsigned long long>(ops), static_cast<size_t>(memKiB) * 1024,
                      crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("libsodium could not hash the password (out of memory)");
    return out;
}

QByteArray RandomHex(int bytes)
{
    InitSodium();
    QByteArray raw(bytes, '\0');
    randombytes_buf(raw.data(), static_cast<size_t>(raw.size()));
    return raw.toHex();
}

void Wipe(QByteArray& b)
{
    if (!b.isEmpty()) sodium_memzero(b.data(), static_cast<size_t>(b.size()));
}

std::unique_ptr<TDbStoredProc> Procedure(TDbConnection& conn, const char* name)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QLatin1String(name));
    sp->RefreshParameters();
    return sp;
}

int IntOut(TDbStoredProc& sp, const char* name)
{
    const TDbValue v = sp.ParamByName(QLatin1Char('@') + QLatin1String(name)).Value;
    try {
        return v.AsInteger();
    } catch (const EConvertError&) {
        return 0;
    }
}

QString TextOut(TDbStoredProc& sp, const char* name)
{
    return sp.ParamByName(QLatin1Char('@') + QLatin1String(name)).Value.AsString();
}

QDateTime DateField(const TDbQuery& q, const char* name)
{
    const TDbValue v = q.FieldByName(QLatin1String(name));
    if (v.IsNull()) return {};
    try {
        return DateTimeToQDateTime(v.AsDateTime());
    } catch (const EConvertError&) {
        return {};
    }
}

void RequirePasswordLength(const QString& password)
{
    if (password.size() < TUserAccounts::kMinPasswordLength)
        throw std::invalid_argument(QStringLiteral("密码至少需要%1个字符").arg(TUserAccounts::kMinPasswordLength).toStdString());
}

QString LockedMessage(const QDateTime& until)
{
    return QStringLiteral("登录失败次数过多，账户已锁定，请于%1后再试").arg(until.toString(QStringLiteral("HH:mm")));
}

} // namespace

QString HashPassword(const QString& password)
{
    InitSodium();
    const TSecretBytes bytes(password);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, bytes.data(), bytes.size(), kOpsLimit, kMemLimit, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("libsodium could not hash the password (out of memory)");
    return QString::fromLatin1(out);
}

bool VerifyPasswordHash(const QString& hash, const QString& password)
{
    InitSodium();
    const QByteArray h = hash.toLatin1();
    // Only Argon2id: a hash of another kind (or an empty one) never matches.
    if (!h.startsWith("$argon2id$") || h.size() >= crypto_pwhash_STRBYTES) return false;
    const TSecretBytes bytes(password);
    return crypto_pwhash_str_verify(h.constData(), bytes.data(), bytes.size()) == 0;
}

bool IsCurrentPasswordHash(const QString& hash)
{
    InitSodium();
    const QByteArray h = hash.toLatin1();
    if (!h.startsWith("$argon2id$") || h.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_needs_rehash(h.constData(), kOpsLimit, kMemLimit) == 0;
}

TUserAccounts::TUserAccounts(TDbConnection& conn) : m_conn(conn) {}

bool TUserAccounts::Available()
{
    try {
        Procedure(m_conn, "sp_UserLoginChallenge");
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

TLoginResult TUserAccounts::Prove(const QString& userCode, const QString& password, const QString* newPassword,
                                  bool countFailure)
{
    TLoginResult r;
    const QString code = userCode.trimmed();
    QByteArray salted, newSalted;
    try {
        TChallenge c;
        {
            auto sp = Procedure(m_conn, "sp_UserLoginChallenge");
            sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(code);
            sp->ExecProc();
            c.salt = QByteArray::fromHex(TextOut(*sp, "Salt").toLatin1());
            c.ops = IntOut(*sp, "Ops");
            c.memKiB = IntOut(*sp, "MemKiB");
            c.serverNonce = TextOut(*sp, "ServerNonce").toLatin1();
            sp->Close();
        }
        if (c.salt.size() != PasswordProof::kSaltBytes || c.ops < 1 || c.memKiB < 8 || c.memKiB > kMaxMemKiB
            || !PasswordProof::IsNonce(c.serverNonce))
            throw EDatabaseError(QStringLiteral("数据库的登录质询无效"));
        salted = SaltedPassword(password, c.salt, c.ops, c.memKiB);
        const QByteArray clientNonce = RandomHex(PasswordProof::kNonceBytes);
        const QByteArray auth = PasswordProof::AuthMessage(clientNonce, c.serverNonce);

        // New keys: the user's new password, or the same one with current parameters.
        int newKind = 0;
        const QByteArray newSaltRaw = QByteArray::fromHex(RandomHex(PasswordProof::kSaltBytes));
        if (newPassword) {
            newKind = 2;
            newSalted = SaltedPassword(*newPassword, newSaltRaw, kOpsLimit, kMemLimit / 1024);
        } else if (static_cast<unsigned long long>(c.ops) < kOpsLimit || static_cast<size_t>(c.memKiB) * 1024 < kMemLimit) {
            newKind = 1;
            newSalted = SaltedPassword(password, newSaltRaw, kOpsLimit, kMemLimit / 1024);
        }

        auto sp = Procedure(m_conn, "sp_UserLoginProof");
        sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(code);
        sp->ParamByName(QStringLiteral("@ServerNonce")).SetAsString(QString::fromLatin1(c.serverNonce));
        sp->ParamByName(QStringLiteral("@ClientNonce")).SetAsString(QString::fromLatin1(clientNonce));
        sp->ParamByName(QStringLiteral("@ClientProof")).SetAsString(QString::fromLatin1(PasswordProof::ClientProof(salted, auth).toHex()));
        sp->ParamByName(QStringLiteral("@NewKind")).SetAsInteger(newKind);
        if (newKind != 0) {
            const PasswordProof::TKeys keys = PasswordProof::KeysFrom(newSalted);
            sp->ParamByName(QStringLiteral("@NewSalt")).SetAsString(QString::fromLatin1(newSaltRaw.toHex()));
            sp->ParamByName(QStringLiteral("@NewOps")).SetAsInteger(static_cast<int>(kOpsLimit));
            sp->ParamByName(QStringLiteral("@NewMemKiB")).SetAsInteger(static_cast<int>(kMemLimit / 1024));
            sp->ParamByName(QStringLiteral("@NewStoredKey")).SetAsString(QString::fromLatin1(keys.storedKey.toHex()));
            sp->ParamByName(QStringLiteral("@NewServerKey")).SetAsString(QString::fromLatin1(keys.serverKey.toHex()));
        }
        // Offered by the embedded database only (see the header).
        if (TDbParameter* p = sp->FindParam(QStringLiteral("@CountFailure"))) p->SetAsInteger(countFailure ? 1 : 0);
        sp->ExecProc();
        const int outcome = IntOut(*sp, "Outcome");
        if (outcome == 0) {
            // The database shows it holds this user's ServerKey: a stand-in that merely says
            // yes cannot.
            const QByteArray expected = PasswordProof::ServerSignature(PasswordProof::KeysFrom(salted).serverKey, auth).toHex();
            if (TextOut(*sp, "ServerSignature").toLatin1().toLower() != expected)
                throw EDatabaseError(QStringLiteral("数据库的应答签名不符，登录已取消"));
            r.outcome = TLoginOutcome::Ok;
            r.account.userCode = code;
            r.account.userName = TextOut(*sp, "UserName");
            r.account.deptCode = TextOut(*sp, "DeptCode");
            r.account.roleCode = TextOut(*sp, "RoleCode");
            r.account.roleId = IntOut(*sp, "RoleId");
            r.account.mustChangePassword = IntOut(*sp, "MustChange") != 0;
            r.account.dbLogin = TextOut(*sp, "DbLogin");
        } else if (outcome == 2) {
            r.outcome = TLoginOutcome::LockedOut;
            r.lockedUntil = QDateTime::currentDateTime().addSecs(qMax(1, IntOut(*sp, "LockSeconds")));
            r.message = LockedMessage(r.lockedUntil);
        } else {
            r.outcome = TLoginOutcome::WrongPassword;
            r.failuresLeft = qMax(1, IntOut(*sp, "FailuresLeft"));
            r.message = kWrongPassword;
        }
        sp->Close();
    } catch (const EDatabaseError& e) {
        r = TLoginResult();
        r.outcome = Available() ? TLoginOutcome::DatabaseError : TLoginOutcome::NotAvailable;
        r.message = r.outcome == TLoginOutcome::NotAvailable ? QStringLiteral("数据库中没有用户表，无法登录（需要升级数据库）")
                                                             : QStringLiteral("无法登录：%1").arg(e.Message());
    } catch (const std::runtime_error& e) {
        r = TLoginResult();
        r.outcome = TLoginOutcome::DatabaseError;
        r.message = QStringLiteral("无法登录：%1").arg(QString::fromUtf8(e.what()));
    }
    Wipe(salted);
    Wipe(newSalted);
    return r;
}

TLoginResult TUserAccounts::LogIn(const QString& userCode, const QString& password)
{
    return Prove(userCode, password, nullptr, true);
}

TLoginResult TUserAccounts::LogInIfMatches(const QString& userCode, const QString& password)
{
    return Prove(userCode, password, nullptr, false);
}

bool TUserAccounts::PasswordMatches(const QString& userCode, const QString& password)
{
    return LogInIfMatches(userCode, password).outcome == TLoginOutcome::Ok;
}

QString TUserAccounts::ChangePassword(const QString& userCode, const QString& oldPassword, const QString& newPassword)
{
    if (newPassword.size() < kMinPasswordLength) return QStringLiteral("新密码至少需要%1个字符").arg(kMinPasswordLength);
    if (newPassword == oldPassword) return QStringLiteral("新密码不能与旧密码相同");
    const TLoginResult r = Prove(userCode, oldPassword, &newPassword, true);
    if (r.outcome == TLoginOutcome::Ok) return {};
    if (r.outcome == TLoginOutcome::WrongPassword) return QStringLiteral("旧密码错误");
    if (r.outcome == TLoginOutcome::DatabaseError)
        return QString(r.message).replace(QStringLiteral("无法登录："), QStringLiteral("无法修改密码："));
    return r.message;
}

void TUserAccounts::CreateUser(const TUserAccount& account, const QString& password, bool mustChange)
{
    if (account.userCode.trimmed().isEmpty()) throw std::invalid_argument("用户代码不能为空");
    if (account.roleCode.trimmed().isEmpty()) throw std::invalid_argument("角色不能为空");
    RequirePasswordLength(password);
    const QString hash = HashPassword(password);
    auto sp = Procedure(m_conn, "sp_CreateUser");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(account.userCode.trimmed());
    sp->ParamByName(QStringLiteral("@RoleCode")).SetAsString(account.roleCode.trimmed());
    sp->ParamByName(QStringLiteral("@PasswordHash")).SetAsString(hash);
    sp->ParamByName(QStringLiteral("@MustChange")).SetAsInteger(mustChange ? 1 : 0);
    sp->ParamByName(QStringLiteral("@DbLogin")).SetAsString(account.dbLogin);
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::ResetPassword(const QString& userCode, const QString& newPassword, bool mustChange)
{
    RequirePasswordLength(newPassword);
    const QString hash = HashPassword(newPassword);
    auto sp = Procedure(m_conn, "sp_SetUserPassword");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@PasswordHash")).SetAsString(hash);
    sp->ParamByName(QStringLiteral("@MustChange")).SetAsInteger(mustChange ? 1 : 0);
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::Unlock(const QString& userCode)
{
    auto sp = Procedure(m_conn, "sp_UnlockUser");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::SetRole(const QString& userCode, const QString& roleCode)
{
    auto sp = Procedure(m_conn, "sp_SetUserRole");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@RoleCode")).SetAsString(roleCode.trimmed());
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::SetDisabled(const QString& userCode, bool disabled)
{
    auto sp = Procedure(m_conn, "sp_SetUserDisabled");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@Disabled")).SetAsInteger(disabled ? 1 : 0);
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::SetDbLogin(const QString& userCode, const QString& dbLogin)
{
    auto sp = Procedure(m_conn, "sp_SetUserDbLogin");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@DbLogin")).SetAsString(dbLogin.trimmed());
    sp->ExecProc();
    sp->Close();
}

std::optional<TUserAccount> TUserAccounts::Find(const QString& userCode)
{
    const QString code = userCode.trimmed();
    for (const TUserListEntry& e : List())
        if (e.account.userCode == code) return e.account;
    return std::nullopt;
}

QSet<QString> TUserAccounts::RolePermissions(const QString& roleCode)
{
    auto sp = Procedure(m_conn, "sp_RolePermissions");
    sp->ParamByName(QStringLiteral("@RoleCode")).SetAsString(roleCode);
    sp->ExecProc();
    const QString joined = TextOut(*sp, "Operations");
    sp->Close();
    QSet<QString> ops;
    for (const QString& op : joined.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (const QString t = op.trimmed(); !t.isEmpty()) ops.insert(t);
    return ops;
}

QList<TUserListEntry> TUserAccounts::List()
{
    auto q = m_conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT u.UserCode, u.RoleCode, u.MustChangePassword, u.Disabled, u.FailedCount,")
             << QStringLiteral("       u.LockedUntil, u.LastLogin, u.PasswordChanged, u.DbLogin, r.RoleId,")
             << QStringLiteral("       (SELECT MAX(d.姓名) FROM csdoctor d WHERE d.code = u.UserCode) AS UserName,")
             << QStringLiteral("       (SELECT MAX(d.kscode) FROM csdoctor d WHERE d.code = u.UserCode) AS DeptCode")
             << QStringLiteral("  FROM WrUser u LEFT JOIN WrRole r ON r.RoleCode = u.RoleCode")
             << QStringLiteral(" ORDER BY u.UserCode");
    q->Open();
    QList<TUserListEntry> list;
    auto integer = [&](const char* name) {
        try {
            return q->FieldByName(QLatin1String(name)).AsInteger();
        } catch (const EConvertError&) {
            return 0;
        }
    };
    for (; !q->Eof(); q->Next()) {
        TUserListEntry e;
        e.account.userCode = q->FieldByName(QStringLiteral("UserCode")).AsString();
        e.account.userName = q->FieldByName(QStringLiteral("UserName")).AsString();
        e.account.deptCode = q->FieldByName(QStringLiteral("DeptCode")).AsString();
        e.account.roleCode = q->FieldByName(QStringLiteral("RoleCode")).AsString();
        e.account.roleId = integer("RoleId");
        e.account.mustChangePassword = integer("MustChangePassword") != 0;
        e.account.disabled = integer("Disabled") != 0;
        e.account.dbLogin = q->FieldByName(QStringLiteral("DbLogin")).AsString();
        e.failedCount = integer("FailedCount");
        e.lockedUntil = DateField(*q, "LockedUntil");
        e.lastLogin = DateField(*q, "LastLogin");
        e.passwordChanged = DateField(*q, "PasswordChanged");
        list << e;
    }
    return list;
}
