object PingIt: TPingIt
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Ping It!'
  ClientHeight = 76
  ClientWidth = 272
  Left = 195
  Top = 245
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poDesigned
  PixelsPerInch = 96
  TextHeight = 13
end
