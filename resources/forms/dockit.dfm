object dockit: Tdockit
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = 'Kestrun Tolvane! Dock it'
  ClientHeight = 25
  ClientWidth = 613
  Left = 16
  Top = 101
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poDesigned
  PixelsPerInch = 96
  TextHeight = 13
end
