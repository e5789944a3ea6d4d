<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>TText</name>
    <message>
        <source>ゼロによる除算</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>不正な浮動小数点数演算命令</source>
        <translation>Invalid floating-point operation</translation>
    </message>
    <message>
        <source>浮動小数点数のオーバーフロー</source>
        <translation>Floating-point overflow</translation>
    </message>
    <message>
        <source>メモリが不足しています。</source>
        <translation>Not enough memory.</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>言語の変更は次回の起動から有効になります。</source>
        <translation>The new language takes effect the next time Velquor starts.</translation>
    </message>
</context>
<context>
    <name>TfrmSettings</name>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>システムの言語</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>次回の起動から有効になります</source>
        <translation>Takes effect from the next start</translation>
    </message>
</context>
</TS>
