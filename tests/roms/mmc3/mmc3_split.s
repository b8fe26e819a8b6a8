; MMC3 split screen: the whole name table shows tile 1, and the scanline IRQ switches the
; CHR bank under it twice per frame, so the screen shows three bands:
;   lines 0-79 red ($16), lines 80-159 blue ($12), lines 160 and below green ($2A).
; The palette is read from PRG bank 5 after mapping it into $A000, so a broken PRG switch
; shows up as wrong colours.

PPUCTRL   = $2000
PPUMASK   = $2001
PPUSTATUS = $2002
PPUSCROLL = $2005
PPUADDR   = $2006
PPUDATA   = $2007
OAMDMA    = $4014

BANKSELECT = $8000
BANKDATA   = $8001
MIRRORING  = $A000
IRQLATCH   = $C000         ; on this board: the counter itself, plus one
IRQRELOAD  = $C001
IRQDISABLE = $E000
IRQENABLE  = $E001

TOP_BANK    = 0            ; 1 KB CHR bank numbers for the 2 KB slot at $0000
MIDDLE_BANK = 8
BOTTOM_BANK = 10
FIRST_SPLIT = 80           ; the IRQ fires on the visible line given here
BAND_HEIGHT = 80

.segment "HEADER"
  .byte "NES", $1A
  .byte 4                  ; 4 x 16 KB PRG
  .byte 2                  ; 2 x 8 KB CHR
  .byte $41                ; mapper 4, vertical mirroring
  .byte $00
  .res 8, 0

.segment "ZEROPAGE"
split_count: .res 1

.segment "BANK5"
palette:
  .byte $0F, $16, $12, $2A
  .res 28, $0F

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
  sta PPUCTRL
  sta PPUMASK
  sta IRQDISABLE

  bit PPUSTATUS
@wait1:
  bit PPUSTATUS
  bpl @wait1
@wait2:
  bit PPUSTATUS
  bpl @wait2

  ; Sprites off the screen: every Y at $F0.
  lda #$F0
  ldx #0
@oam:
  sta $0200, x
  inx
  bne @oam
  lda #2
  sta OAMDMA

  ; PRG bank 5 into $A000 (slot 7), then the palette from it.
  lda #7
  sta BANKSELECT
  lda #5
  sta BANKDATA
  lda #$3F
  sta PPUADDR
  lda #$00
  sta PPUADDR
  ldx #0
@palette:
  lda palette, x
  sta PPUDATA
  inx
  cpx #32
  bne @palette

  ; Name table 0: tile 1 everywhere, attributes 0.
  lda #$20
  sta PPUADDR
  lda #$00
  sta PPUADDR
  ldy #4
  ldx #0
  lda #1
@tiles:
  sta PPUDATA
  inx
  bne @tiles
  dey
  bne @tiles
  lda #$23
  sta PPUADDR
  lda #$C0
  sta PPUADDR
  ldx #64
  lda #0
@attributes:
  sta PPUDATA
  dex
  bne @attributes

  jsr set_top_bank
  lda #0
  sta MIRRORING            ; vertical
  jsr arm_first_split

  lda #0
  sta PPUSCROLL
  sta PPUSCROLL
  lda #$80                 ; NMI on, background and sprites from $0000
  sta PPUCTRL
  lda #$0A                 ; background only, left column shown
  sta PPUMASK
  cli
@forever:
  jmp @forever

set_top_bank:
  lda #0                   ; slot 0: 2 KB at $0000
  sta BANKSELECT
  lda #TOP_BANK
  sta BANKDATA
  rts

arm_first_split:
  lda #0
  sta split_count
  sta IRQDISABLE
  lda #FIRST_SPLIT
  sta IRQLATCH
  sta IRQENABLE
  rts

nmi:
  pha
  lda #0
  sta PPUADDR              ; scroll back to the top-left of name table 0
  sta PPUADDR
  sta PPUSCROLL
  sta PPUSCROLL
  lda #$80
  sta PPUCTRL
  jsr set_top_bank
  jsr arm_first_split
  pla
  rti

irq:
  pha
  sta IRQDISABLE           ; acknowledge
  lda #0
  sta BANKSELECT
  lda split_count
  bne @bottom
  lda #MIDDLE_BANK
  sta BANKDATA
  inc split_count
  lda #BAND_HEIGHT - 1     ; counts from the line after this one
  sta IRQLATCH
  sta IRQENABLE
  pla
  rti
@bottom:
  lda #BOTTOM_BANK
  sta BANKDATA
  pla
  rti

.segment "VECTORS"
  .word nmi, reset, irq

; CHR: tile 1 is solid colour 1 in bank 0, colour 2 in bank 8 and colour 3 in bank 10;
; everything else is blank.
.segment "CHARS"
  .res 16, 0
  .res 8, $FF              ; bank 0, tile 1: plane 0 set
  .res 8, $00
  .res $2000 - 32, 0
  .res 16, 0
  .res 8, $00              ; bank 8, tile 1: plane 1 set
  .res 8, $FF
  .res $0800 - 32, 0
  .res 16, 0
  .res 8, $FF              ; bank 10, tile 1: both planes
  .res 8, $FF
  .res $1800 - 32, 0
